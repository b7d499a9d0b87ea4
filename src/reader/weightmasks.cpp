#include "reader/weightmasks.h"

#include <algorithm>

#include "model/codepage.h"

namespace fw::reader {
namespace {

using editor::Answer;
using editor::Outcome;

constexpr std::size_t kPrefixChars = 2;
constexpr std::size_t kShortestMask = 5;
constexpr std::size_t kLongestCodeRun = 29;
constexpr std::size_t kLongestAmountRun = 16;

bool Digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The number of runs of the letter in the mask and the length of the longest.
struct Runs {
    int count = 0;
    std::size_t longest = 0;
};
Runs RunsOf(std::u16string_view mask, char16_t letter) {
    Runs runs;
    std::size_t length = 0;
    for (std::size_t i = 0; i <= mask.size(); ++i) {
        if (i < mask.size() && mask[i] == letter) {
            ++length;
            continue;
        }
        if (length > 0) {
            ++runs.count;
            runs.longest = std::max(runs.longest, length);
        }
        length = 0;
    }
    return runs;
}

std::u16string Prefix(std::u16string_view mask) {
    return std::u16string(mask.substr(0, kPrefixChars));
}

}  // namespace

std::u16string StripBlanks(std::u16string_view typed) {
    std::u16string kept;
    for (char16_t c : typed)
        if (c != u' ' && c != u'\t') kept += c;
    return kept;
}

bool ValidWeightMask(std::u16string_view mask) {
    if (mask.size() < kPrefixChars || mask.size() > kMaxWeightMaskChars) return false;
    if (!Digit(mask[0]) || !Digit(mask[1])) return false;
    for (char16_t c : mask.substr(kPrefixChars))
        if (c != u'C' && c != u'F' && c != u'Q' && c != u'W') return false;
    const Runs code = RunsOf(mask, u'C');
    if (code.count != 1 || code.longest > kLongestCodeRun) return false;
    const Runs weight = RunsOf(mask, u'W');
    const Runs quantity = RunsOf(mask, u'Q');
    if ((weight.count == 0) == (quantity.count == 0)) return false;
    const Runs& amount = weight.count != 0 ? weight : quantity;
    return amount.count == 1 && amount.longest <= kLongestAmountRun;
}

std::vector<std::u16string> StoredWeightMasks(const Definition& d) {
    const ConstBarcodeRulesRecord rules = Rules(d);
    const int count = rules.WeightMaskCount() <= kMaxWeightMasks ? rules.WeightMaskCount() : 0;
    std::vector<std::u16string> masks;
    for (int slot = 0; slot < count; ++slot)
        masks.push_back(CellToUtf16(rules.WeightMask(slot).first(kMaxWeightMaskChars)));
    return masks;
}

WeightMaskDialog OpenWeightMaskDialog(const Definition& working) {
    WeightMaskDialog dialog;
    dialog.saved = working.barcodeRules;
    dialog.masks = StoredWeightMasks(working);
    std::ranges::sort(dialog.masks);
    return dialog;
}

Outcome AddWeightMask(WeightMaskDialog& dialog, std::u16string_view typed, Answer answer) {
    const std::u16string mask = StripBlanks(typed);
    if (mask.size() < kShortestMask) return Outcome::Refuse();
    if (!ValidWeightMask(mask)) return Outcome::Refuse(u"Неправильный формат маски!");
    const std::u16string prefix = Prefix(mask);
    auto same = std::ranges::find_if(
        dialog.masks, [&](const std::u16string& m) { return m.starts_with(prefix); });
    if (same == dialog.masks.end()) {
        if (static_cast<int>(dialog.masks.size()) >= kMaxWeightMasks)
            return Outcome::Refuse(u"Можно ввести только 20 масок!");
        dialog.masks.push_back(mask);
    } else {
        if (answer == Answer::None)
            return Outcome::Ask(u"Маска с префиксом '" + prefix + u"' существует. Заменить?",
                                MessageIcon::Question);
        if (answer != Answer::Yes) return Outcome::Refuse();
        *same = mask;
    }
    std::ranges::sort(dialog.masks);
    return Outcome::Accept();
}

Outcome RemoveWeightMasks(WeightMaskDialog& dialog, std::span<const int> selected) {
    std::vector<bool> drop(dialog.masks.size(), false);
    for (int index : selected.first(std::min<std::size_t>(selected.size(), kMaxWeightMasks)))
        if (index >= 0 && index < static_cast<int>(drop.size()))
            drop[static_cast<std::size_t>(index)] = true;
    std::vector<std::u16string> kept;
    for (std::size_t i = 0; i < dialog.masks.size(); ++i)
        if (!drop[i]) kept.push_back(dialog.masks[i]);
    if (kept.size() == dialog.masks.size()) return Outcome::Refuse();
    dialog.masks = std::move(kept);
    return Outcome::Accept();
}

void RemoveAllWeightMasks(WeightMaskDialog& dialog) {
    dialog.masks.clear();
}

void ConfirmWeightMaskDialog(Definition& working, const WeightMaskDialog& dialog) {
    BarcodeRulesRecord rules = Rules(working);
    const std::size_t count = std::min<std::size_t>(dialog.masks.size(), kMaxWeightMasks);
    rules.WeightMaskCount() = static_cast<Byte>(count);
    for (std::size_t i = 0; i < count; ++i)
        StoreCellText(rules.WeightMask(static_cast<int>(i)), dialog.masks[i]);
}

void CancelWeightMaskDialog(Definition& working, const WeightMaskDialog& dialog) {
    working.barcodeRules = dialog.saved;
}

}  // namespace fw::reader
