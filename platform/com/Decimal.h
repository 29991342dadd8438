// Arithmetic on the 96-bit scaled DECIMAL of automation values: a magnitude of up to 2^96 - 1,
// divided by 10^scale (scale 0..28), with a sign bit.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/Variant.h"

#define DECIMAL_NEG ((BYTE)0x80)

namespace platform {

// The C locale's syntax (sign, digits, one '.', exponent), kept exact up to 29 significant
// digits; further digits round half to even. DISP_E_TYPEMISMATCH when the text is not a number,
// DISP_E_OVERFLOW when it is too large.
HRESULT DecimalFromText(std::string_view text, DECIMAL* value);
// All significant digits, without trailing zeros after the point.
std::string DecimalToText(const DECIMAL& value);
// Nearest long double; nothing for a scale above 28.
bool DecimalToNumber(const DECIMAL& value, long double* number);
// Integers below 2^64 exactly, other values to 15 significant digits as the original does.
HRESULT DecimalFromNumber(long double number, DECIMAL* value);

}  // namespace platform
