// What the core needs of the operating system: where the program lives and how the system
// words its errors.
#pragma once

#include <filesystem>
#include <string>

namespace fw {

// The folder of the running program (the settings and language files live there).
// Determined once; FORMWRIGHT_HOME is not consulted: the folder of the executable decides.
std::filesystem::path ProgramDirectory();
// For tests and tools that keep their settings elsewhere.
void SetProgramDirectory(const std::filesystem::path& directory);

// The decimal error code, ":" and the system's message for it, trimmed of blanks, CR, LF and
// tabs at both ends.
std::u16string SystemErrorText(int code);

}  // namespace fw
