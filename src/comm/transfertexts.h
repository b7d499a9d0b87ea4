// String ids of the transfer messages and file-dialog filters. Captions are in model/strings.h.
#pragma once

namespace fw {

inline constexpr int kTextDownloadedCompletely = 1132;  // "Downloaded completely!"
inline constexpr int kTextNoDataReceived = 1134;        // "No data received!"
inline constexpr int kTextTimeOut = 1144;               // "Time out!"
inline constexpr int kTextTerminalNotReady = 1145;      // "Terminal is not ready!"
inline constexpr int kTextMemoryFull = 1146;            // "Memory full for Terminal!"
inline constexpr int kTextCannotOpenFile = 1161;        // "Cannot open the file!"
inline constexpr int kTextCannotOpenComPort = 1162;     // "Cannot open the COM port!"
inline constexpr int kTextRetryDownload = 1166;  // "Failed to download, would you like to retry?"
inline constexpr int kTextErrorOnDownloading = 1168;  // "Error on downloading!"
inline constexpr int kTextCommStateError = 1169;      // "Error on setting communication state"
inline constexpr int kTextFileCreateFailed = 1170;    // "File open/create failed!"

// File-dialog filters; always the built-in texts, never a language file's.
inline constexpr int kFilterLookupFiles = 1181;  // "Файлы БД {*.TXT}"
inline constexpr int kFilterDataFiles = 1183;    // "Файлы данных {*.TXT}"
inline constexpr int kFilterAllFiles = 1203;     // "Все файлы (*.*)"
inline constexpr int kFilterAllPattern = 1208;   // "*.*"
inline constexpr int kFilterTxtPattern = 1209;   // "*.TXT"

// Language-file ids of the progress window's title and text; without a language file they are
// "Progress" and "Downloading...".
inline constexpr int kProgressTitleId = 1137;
inline constexpr int kProgressTextId = 1138;

}  // namespace fw
