#include "shell/numberedit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>
#include <limits>

namespace fw {

NumberCorrection CorrectNumber(const QString& text, int minimum, int maximum, int replacement,
                               int lastAccepted) {
    bool digits = !text.isEmpty();
    long long value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            digits = false;
            break;
        }
        // Long runs of digits only need to stay above the range.
        value = std::min<long long>(value * 10 + (c.unicode() - u'0'),
                                    std::numeric_limits<int>::max() + 1LL);
    }
    if (!digits || value < minimum) return {QString::number(replacement), replacement};
    if (value > maximum) return {QString::number(lastAccepted), lastAccepted};
    const int accepted = static_cast<int>(value);
    return {QString::number(accepted), accepted};
}

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
        CorrectNumber(text, minimum_, maximum_, replacement_, value_);
    if (corrected.text != text) {
        lineEdit()->setText(corrected.text);
        lineEdit()->setCursorPosition(static_cast<int>(corrected.text.size()));
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
