// What an editing operation tells the page that called it: the change was made, the change was
// refused (the working bytes are as they were), or a question must be answered first. The page
// shows a question and calls the same operation again with the answer.
#pragma once

#include <string>

#include "model/messages.h"

namespace fw::editor {

enum class Answer { None, Yes, No };

// Caption of every warning and question of the editor.
inline constexpr char16_t kWarningCaption[] = u"Предупреждение";

struct Outcome {
    enum class Kind { Accepted, Refused, Question };
    Kind kind = Kind::Accepted;
    // For a refusal: the warning to show; empty when there is nothing to tell (a choice the
    // list does not offer, or a question answered No). For a question: what to ask.
    std::u16string text;
    // The message's caption; empty for the editor's warning caption.
    std::u16string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    int defaultButton = kIdYes;  // for a question

    bool Accepted() const { return kind == Kind::Accepted; }
    bool Refused() const { return kind == Kind::Refused; }
    bool Asks() const { return kind == Kind::Question; }

    static Outcome Accept() { return {}; }
    static Outcome Refuse(std::u16string warning = {}) {
        Outcome o;
        o.kind = Kind::Refused;
        o.text = std::move(warning);
        if (!o.text.empty()) o.icon = MessageIcon::Warning;
        return o;
    }
    static Outcome Ask(std::u16string question, MessageIcon icon, int defaultButton = kIdYes) {
        Outcome o;
        o.kind = Kind::Question;
        o.text = std::move(question);
        o.icon = icon;
        o.buttons = MessageButtons::YesNo;
        o.defaultButton = defaultButton;
        return o;
    }
};

}  // namespace fw::editor
