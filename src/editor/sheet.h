// The definition sheet as a whole: what its window is called.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fw::editor {

inline constexpr std::size_t kSheetTitleMax = 299;
// String ids of the pages' titles: page k (Form, Menu, Lookup, Barcode, Settings, Startup) is
// kFirstPageTitleId + k.
inline constexpr int kFirstPageTitleId = 1641;
inline constexpr int kSheetPageCount = 6;
// The program's name and the word for a project without a path, as the sheet's title says them.
inline constexpr int kProgramTitleId = 1647;
inline constexpr int kNewFileId = 1648;

// "Formwright - [ path ]", or the new-file word in place of a path the project does not have
// yet ("Unknow" is what the settings keep for no project). A language file gives its own
// program title and new-file word.
std::u16string SheetTitle(std::u16string_view projectPath,
                          std::u16string_view programTitle = u"Formwright",
                          std::u16string_view newFileWord = u"New file");

}  // namespace fw::editor
