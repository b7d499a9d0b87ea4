// The correction a number edit applies after every change the user makes: bad numeric input is
// never an error, it is rewritten in place.
#pragma once

#include <string>
#include <string_view>

namespace fw {

struct NumberCorrection {
    std::u16string text;  // what the edit shows afterwards
    int value;            // the accepted value
};

// Text that is not a number (an empty edit included), and a value below the range, become
// `replacement`; a value above the range goes back to `lastAccepted`; a value in range typed
// with leading zeros is rewritten without them. Only the digits 0-9 make a number: a sign, a
// blank or any other character makes the text not a number.
NumberCorrection CorrectNumber(std::u16string_view text, int minimum, int maximum, int replacement,
                               int lastAccepted);

}  // namespace fw
