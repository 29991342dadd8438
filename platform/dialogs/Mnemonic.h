// The mnemonic of a control's text: the character after a single '&' ("&&" is an ampersand
// shown as it is). Two-byte characters are stepped over whole, so that a second byte that happens
// to be '&' marks nothing.
#pragma once

#include <string_view>

namespace platform {

class Mnemonic {
public:
    // The mnemonic as a lower-case ASCII byte; 0 when there is none or it is not ASCII.
    static char Of(std::string_view text);
    // Whether a typed character picks the text's mnemonic (letters without case).
    static bool Matches(std::string_view text, char typed);
};

}  // namespace platform
