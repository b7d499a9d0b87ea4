#include "shell/messagebox.h"

#include <QApplication>
#include <QMessageBox>

#include "model/strings.h"

namespace fw {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton ToQtButton(int id) {
    switch (id) {
        case kIdOk:
            return QMessageBox::Ok;
        case kIdCancel:
            return QMessageBox::Cancel;
        case kIdRetry:
            return QMessageBox::Retry;
        case kIdYes:
            return QMessageBox::Yes;
        case kIdNo:
            return QMessageBox::No;
        default:
            return QMessageBox::NoButton;
    }
}

int FromQtButton(int button, MessageButtons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return kIdOk;
        case QMessageBox::Cancel:
            return kIdCancel;
        case QMessageBox::Retry:
            return kIdRetry;
        case QMessageBox::Yes:
            return kIdYes;
        case QMessageBox::No:
            return kIdNo;
        default:
            break;
    }
    // Closed with Escape or the window's close: what the system's boxes report for it.
    switch (buttons) {
        case MessageButtons::YesNo:
            return kIdNo;
        case MessageButtons::Ok:
            return kIdOk;
        default:
            return kIdCancel;
    }
}

}  // namespace

QWidget* MessageOwner() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

int QtMessagePresenter::Show(const MessageRequest& request) {
    QMessageBox box(ToQtIcon(request.icon), ToQString(request.caption), ToQString(request.text),
                    ToQtButtons(request.buttons), MessageOwner());
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    if (const auto standard = ToQtButton(request.defaultButton); box.button(standard) != nullptr)
        box.setDefaultButton(standard);
    return FromQtButton(box.exec(), request.buttons);
}

void ShowCannotOpen(const Language& language, const QString& what) {
    constexpr int kCannotOpenTextId = 1783;  // "Не найдена программа, которая может открыть:"
    QtMessagePresenter presenter;
    ShowMessageById(presenter, language, kCaptionWarning, kCannotOpenTextId, MessageIcon::Warning,
                    MessageButtons::Ok, ToU16(what));
}

int ShowPlainMessage(MessagePresenter& presenter, std::u16string_view caption,
                     std::u16string_view text, MessageIcon icon, MessageButtons buttons) {
    MessageRequest request;
    request.caption = std::u16string(caption);
    request.text = std::u16string(text);
    request.icon = icon;
    request.buttons = buttons;
    return presenter.Show(request);
}

}  // namespace fw
