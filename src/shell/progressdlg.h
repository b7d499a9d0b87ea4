// "ProgressDlg": the progress window of the transfers, 0 to 100 or busy, with Cancel.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace fw {

class ProgressDlg : public QDialog {
    Q_OBJECT
  public:
    explicit ProgressDlg(QWidget* parent = nullptr);

    void Open(const QString& title, const QString& text);
    // 0..100; a negative value makes the bar show activity without a value.
    void SetValue(int value);
    int Value() const;
    QString Text() const;
    QPushButton* CancelButton() const { return cancelButton_; }

  signals:
    // Cancel, Esc or the window's close: the person wants the transfer stopped. The window
    // stays until the transfer has ended, which it does at its next wait.
    void cancelRequested();

  public slots:
    void reject() override;

  private:
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancelButton_;
};

}  // namespace fw
