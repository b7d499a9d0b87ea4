// "CONNECTION_WAITING_DLG": shown while the PC waits for a Wi-Fi terminal to connect, with the
// dots that show it is alive and "Отмена" to give up.
#pragma once

#include <QDialog>
#include <functional>

#include "comm/links/connectionwaiter.h"

class QLabel;
class QPushButton;

namespace fw {

class ConnectionWaitingDlg : public QDialog, public ConnectionWaiter {
    Q_OBJECT
  public:
    explicit ConnectionWaitingDlg(QWidget* parent = nullptr);

    void Open(std::u16string_view title, std::u16string_view text, std::u16string_view cancelButton,
              std::function<void()> cancel) override;
    void SetText(std::u16string_view text) override;
    void Close() override;

    QString Text() const;
    QPushButton* CancelButton() const { return cancelButton_; }

  public slots:
    void reject() override;

  private:
    QLabel* text_;
    QPushButton* cancelButton_;
    std::function<void()> cancel_;
};

}  // namespace fw
