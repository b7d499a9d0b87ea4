// A lookup file sent to the terminal one packet per line: the line's bytes, their sum (high
// byte first, 13 sent as 14) and CR; then "OVER\r".
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <istream>

#include "comm/transfer.h"
#include "comm/transferui.h"
#include "model/workspace.h"

namespace fw {

inline constexpr std::size_t kLookupLineMax = 253;  // the packet must fit the packet buffer
inline constexpr std::size_t kLookupReadChunk = 128;

// The open dialog for a lookup file ("Файлы БД {*.TXT}", "Все файлы (*.*)").
bool ChooseLookupFile(const Workspace& ws, TransferUi& ui, std::filesystem::path& path);

// Opens the chosen lookup file for reading. Only a file with bytes to read is a lookup file: a
// folder, a device or a pipe is refused like a file that cannot be opened, rather than sent
// as an empty lookup.
bool OpenLookupFile(const std::filesystem::path& path, std::ifstream& file);

struct LookupLineCheck {
    bool ok = true;
    std::size_t line = 0;     // 1-based number of the first line that is too long
    std::size_t length = 0;   // its length so far (at least 254)
    bool readFailed = false;  // the system could not read the file
};

// A pass over the file that only counts line lengths, so that a file that cannot be sent is
// refused before anything goes to the terminal. Leaves the file at its start.
LookupLineCheck CheckLookupLines(std::istream& file);

// Tells the user which line of which file is too long. Returns the button pressed.
int ReportLongLookupLine(TransferUi& ui, const std::filesystem::path& path,
                         const LookupLineCheck& check);

// Sends every line and "OVER\r"; true when all were answered "ACK\r". On failure the file is
// back at its start. A file that can no longer be read ends the transfer with "Cannot open the
// file!" rather than send what was read as the whole file. A line that has grown too long since the
// check ends the transfer with the message of ReportLongLookupLine, naming path.
bool SendLookupFile(TransferSession& s, std::istream& file, const std::filesystem::path& path = {});

}  // namespace fw
