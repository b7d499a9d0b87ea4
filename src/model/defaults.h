// Default values of a definition: the format tag, the default terminal texts, the reader
// defaults and a new definition.
#pragma once

#include "model/definition.h"

namespace fw {

struct Language;

// "M740-5.01" and a zero byte.
inline constexpr char kFormatTag[] = "M740-5.01";
inline constexpr char kModel[] = "M740";
inline constexpr int kFormatMajor = 5;
inline constexpr int kFormatMinor = 1;
void WriteFormatTag(Definition& d);

// Fills the default-text tables of groups 2..27 and the utility lines from the language.
void LoadDefaultTexts(Definition& d, const Language& language);
void ResetReaderSettings(Definition& d);
// Callers run ResetReaderSettings just before.
void NewDefinition(Definition& d);
// The name of variable n (1..10) in a new definition: "Переменная%d".
std::u16string DefaultVariableName(int n);

}  // namespace fw
