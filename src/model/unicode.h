// UTF-8 <-> UTF-16 for the edges of the program: command line, terminal output, data files.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// Invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace fw
