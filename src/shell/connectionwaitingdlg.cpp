#include "shell/connectionwaitingdlg.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/messagebox.h"

namespace fw {

ConnectionWaitingDlg::ConnectionWaitingDlg(QWidget* parent)
    : QDialog(parent), text_(new QLabel(this)), cancelButton_(new QPushButton(this)) {
    setObjectName(QStringLiteral("CONNECTION_WAITING_DLG"));
    setWindowModality(Qt::ApplicationModal);
    text_->setObjectName(QStringLiteral("text"));
    text_->setTextFormat(Qt::PlainText);
    // Room for the three dots, so that the window does not change size as they come and go.
    text_->setMinimumWidth(text_->fontMetrics().horizontalAdvance(QString::fromUtf16(kWaitText) +
                                                                  QStringLiteral("...")) +
                           8);
    cancelButton_->setObjectName(QStringLiteral("cancel"));
    connect(cancelButton_, &QPushButton::clicked, this, &ConnectionWaitingDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
}

void ConnectionWaitingDlg::Open(std::u16string_view title, std::u16string_view text,
                                std::u16string_view cancelButton, std::function<void()> cancel) {
    setWindowTitle(ToQString(title));
    text_->setText(ToQString(text));
    cancelButton_->setText(ToQString(cancelButton));
    cancel_ = std::move(cancel);
    show();
    raise();
    activateWindow();
}

void ConnectionWaitingDlg::SetText(std::u16string_view text) {
    text_->setText(ToQString(text));
}

void ConnectionWaitingDlg::Close() {
    cancel_ = nullptr;
    hide();
}

QString ConnectionWaitingDlg::Text() const {
    return text_->text();
}

void ConnectionWaitingDlg::reject() {
    // "Отмена", Escape and the window's close all give up the wait, once.
    if (auto cancel = std::move(cancel_)) {
        cancel_ = nullptr;
        cancel();
    }
    QDialog::reject();
}

}  // namespace fw
