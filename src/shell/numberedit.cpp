#include "shell/numberedit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

#include "model/numbercorrection.h"

namespace fw {

NumberEdit::NumberEdit(int minimum, int maximum, int replacement, QWidget* parent)
    : QAbstractSpinBox(parent),
      minimum_(minimum),
      maximum_(maximum),
      replacement_(replacement),
      value_(minimum) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    lineEdit()->setText(QString::number(value_));
    connect(lineEdit(), &QLineEdit::textEdited, this, &NumberEdit::Correct);
}

void NumberEdit::setValue(int value) {
    value = std::clamp(value, minimum_, maximum_);
    const bool changed = value != value_;
    value_ = value;
    lineEdit()->setText(QString::number(value_));
    if (changed) emit valueChanged(value_);
}

void NumberEdit::Correct(const QString& text) {
    const NumberCorrection corrected =
        CorrectNumber(text.toStdU16String(), minimum_, maximum_, replacement_, value_);
    const QString shown = QString::fromStdU16String(corrected.text);
    if (shown != text) {
        lineEdit()->setText(shown);
        lineEdit()->setCursorPosition(static_cast<int>(shown.size()));
    }
    if (corrected.value != value_) {
        value_ = corrected.value;
        emit valueChanged(value_);
    }
}

void NumberEdit::stepBy(int steps) {
    setValue(value_ + steps);
}

QValidator::State NumberEdit::validate(QString&, int&) const {
    // Every entry is allowed: the correction rewrites it as soon as it changes.
    return QValidator::Acceptable;
}

QSize NumberEdit::sizeHint() const {
    // Wide enough for the largest number, as the system's spin boxes are.
    ensurePolished();
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize text(fontMetrics().horizontalAdvance(QString::number(maximum_) + QLatin1Char('0')),
                     lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QAbstractSpinBox::StepEnabled NumberEdit::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value_ > minimum_) enabled |= StepDownEnabled;
    if (value_ < maximum_) enabled |= StepUpEnabled;
    return enabled;
}

}  // namespace fw
