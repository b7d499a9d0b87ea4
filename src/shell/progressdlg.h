// "ProgressDlg": the progress window of the downloads, 0 to 100.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace fw {

class ProgressDlg : public QDialog {
    Q_OBJECT
  public:
    explicit ProgressDlg(QWidget* parent = nullptr);

    void Open(const QString& title, const QString& text);
    void SetValue(int value);
    int Value() const;
    QString Text() const;

  protected:
    // The window ends with its transfer, not when the user closes it.
    void reject() override {}

  private:
    QLabel* text_;
    QProgressBar* bar_;
};

}  // namespace fw
