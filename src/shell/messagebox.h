// Message boxes of the GUI: every message of the system, by string id or built in code, is
// shown here as a QMessageBox owned by the active window.
#pragma once

#include <QString>

#include "model/messages.h"

class QWidget;

namespace fw {

struct Language;

class QtMessagePresenter : public MessagePresenter {
  public:
    int Show(const MessageRequest& request) override;
};

// The window that owns a message: the active modal dialog, else the active window.
QWidget* MessageOwner();

// A message whose texts are built in code (a caption may be empty).
int ShowPlainMessage(MessagePresenter& presenter, std::u16string_view caption,
                     std::u16string_view text, MessageIcon icon = MessageIcon::None,
                     MessageButtons buttons = MessageButtons::Ok);

// No program on this computer could open the address or file: says so, naming it.
void ShowCannotOpen(const Language& language, const QString& what);

inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}
inline std::u16string ToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

}  // namespace fw
