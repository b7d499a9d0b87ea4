// The built-in string table: every user-interface text by its numeric id, compiled in from
// resources/strings.tsv.
#pragma once

#include <string>

namespace fw {

// The built-in text of a string id; an id without an entry gives an empty text.
std::u16string BuiltInString(int id);
bool HasBuiltInString(int id);

// Caption ids of message boxes.
inline constexpr int kCaptionError = 1121;
inline constexpr int kCaptionWarning = 1122;
inline constexpr int kCaptionDownload = 1123;
inline constexpr int kCaptionUpload = 1124;

}  // namespace fw
