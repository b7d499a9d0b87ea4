#include "model/messages.h"

#include "model/language.h"

namespace fw {

int ShowMessageById(MessagePresenter& presenter, const Language& language, int captionId,
                    int textId, MessageIcon icon, MessageButtons buttons,
                    std::u16string_view extra) {
    MessageRequest request;
    request.caption = LoadUiString(language, captionId);
    request.text = LoadUiString(language, textId);
    request.captionId = captionId;
    request.textId = textId;
    // An id without a text shows no box at all rather than an empty one.
    if (request.caption.empty() || request.text.empty()) return 0;
    if (!extra.empty()) {
        request.text += u"\r\n";
        request.text += extra;
    }
    request.icon = icon;
    request.buttons = buttons;
    return presenter.Show(request);
}

}  // namespace fw
