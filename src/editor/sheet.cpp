#include "editor/sheet.h"

namespace fw::editor {

std::u16string SheetTitle(std::u16string_view projectPath, std::u16string_view programTitle,
                          std::u16string_view newFileWord) {
    const bool unnamed = projectPath.empty() || projectPath == u"Unknow";
    std::u16string title(programTitle);
    title += u" - [ ";
    title += unnamed ? newFileWord : projectPath;
    title += u" ]";
    if (title.size() > kSheetTitleMax) title.resize(kSheetTitleMax);
    return title;
}

}  // namespace fw::editor
