// A number edit with a spin control whose text is corrected while the user types.
#pragma once

#include <QAbstractSpinBox>

namespace fw {

// The rules of the correction are the core's (CorrectNumber), shared with the definition editor.
class NumberEdit : public QAbstractSpinBox {
    Q_OBJECT
  public:
    // replacement: the value that stands in for text that is not a number.
    NumberEdit(int minimum, int maximum, int replacement, QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(int value);

  signals:
    void valueChanged(int value);

  public:
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    StepEnabled stepEnabled() const override;

  private:
    void Correct(const QString& text);

    int minimum_;
    int maximum_;
    int replacement_;
    int value_;
};

}  // namespace fw
