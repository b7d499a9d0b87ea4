// Message boxes whose caption and text are string ids. The core hands the looked-up texts to
// whatever shows them: a dialog in the GUI, stderr in the command-line tool, a script in tests.
#pragma once

#include <string>
#include <string_view>

namespace fw {

struct Language;

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };

// Button results, numbered as the system's message boxes number them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

struct MessageRequest {
    std::u16string caption;
    std::u16string text;
    // The string ids the texts were looked up by; 0 for a text built in code. Whoever must
    // recognise a message (a question to answer, how a job ended) goes by these, never by the
    // texts, which a language file may word in any way.
    int captionId = 0;
    int textId = 0;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    // The button that Enter presses (kIdYes ...); 0 leaves it to the buttons' usual order.
    int defaultButton = 0;
};

class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    // Shows the message and returns the button pressed (kIdOk ...).
    virtual int Show(const MessageRequest& request) = 0;
};

// Looks caption and text up with LoadUiString (80 characters each); when either is empty
// nothing is shown and the result is 0. An extra text follows the message after CR LF.
int ShowMessageById(MessagePresenter& presenter, const Language& language, int captionId,
                    int textId, MessageIcon icon, MessageButtons buttons = MessageButtons::Ok,
                    std::u16string_view extra = {});

}  // namespace fw
