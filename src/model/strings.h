// The built-in string table: every user-interface text by its numeric id, compiled in from
// resources/strings.tsv.
#pragma once

#include <span>
#include <string>

namespace fw {

// The built-in text of a string id; an id without an entry gives an empty text.
std::u16string BuiltInString(int id);
bool HasBuiltInString(int id);

// The ids below 1800 that have no built-in text and are shown only when a language file gives
// them (the preferences' title, the received-records text, the progress window). Together with
// the built-in ids below 1800 they are every text a language file can change.
std::span<const int> LanguageOnlyTextIds();

// Caption ids of message boxes.
inline constexpr int kCaptionError = 1121;
inline constexpr int kCaptionWarning = 1122;
inline constexpr int kCaptionDownload = 1123;
inline constexpr int kCaptionUpload = 1124;

}  // namespace fw
