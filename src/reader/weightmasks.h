// The weight-barcode masks: up to 20 barcode layouts, each a two-digit prefix and a letter for
// every digit after it (C code, W weight, Q quantity, F any). The mask dialog keeps its list
// apart from the bytes and writes it back only on OK, so a Cancel leaves the block untouched.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/outcome.h"
#include "model/definition.h"

namespace fw::reader {

inline constexpr int kMaxWeightMasks = kWeightMaskSlots;
inline constexpr std::size_t kMaxWeightMaskChars = kWeightMaskSize - 1;

// The typed text without its blanks.
std::u16string StripBlanks(std::u16string_view typed);
// Whether a mask (blanks already removed) is one the terminal can match: a two-digit prefix,
// then one run of 1..29 C, one run of 1..16 W or of 1..16 Q (never both), and any number of F.
bool ValidWeightMask(std::u16string_view mask);

// The masks a definition holds, in slot order; a count above 20 reads as none.
std::vector<std::u16string> StoredWeightMasks(const Definition& d);

struct WeightMaskDialog {
    Block<kBarcodeRulesSize> saved{};   // the whole block as the dialog found it
    std::vector<std::u16string> masks;  // the list, kept sorted as the dialog shows it
};
WeightMaskDialog OpenWeightMaskDialog(const Definition& working);

// "Добавить": blanks are dropped and a text of fewer than 5 characters is ignored; a mask with
// the prefix of one in the list asks whether to replace it (pass the answer back).
editor::Outcome AddWeightMask(WeightMaskDialog& dialog, std::u16string_view typed,
                              editor::Answer answer = editor::Answer::None);
// "Удалить": the masks at the selected list positions (at most 20 are taken).
editor::Outcome RemoveWeightMasks(WeightMaskDialog& dialog, std::span<const int> selected);
// "Удалить все".
void RemoveAllWeightMasks(WeightMaskDialog& dialog);

// OK: the count and the masks in list order from slot 1 on; slots after them keep their bytes.
void ConfirmWeightMaskDialog(Definition& working, const WeightMaskDialog& dialog);
// "Отмена": the block exactly as it was.
void CancelWeightMaskDialog(Definition& working, const WeightMaskDialog& dialog);

}  // namespace fw::reader
