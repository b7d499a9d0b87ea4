#include "model/numbercorrection.h"

#include <algorithm>
#include <limits>

namespace fw {
namespace {

std::u16string DecimalText(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

NumberCorrection CorrectNumber(std::u16string_view text, int minimum, int maximum, int replacement,
                               int lastAccepted) {
    bool digits = !text.empty();
    long long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            digits = false;
            break;
        }
        // Long runs of digits only need to stay above the range.
        value = std::min<long long>(value * 10 + (c - u'0'), std::numeric_limits<int>::max() + 1LL);
    }
    if (!digits || value < minimum) return {DecimalText(replacement), replacement};
    if (value > maximum) return {DecimalText(lastAccepted), lastAccepted};
    const int accepted = static_cast<int>(value);
    return {DecimalText(accepted), accepted};
}

}  // namespace fw
