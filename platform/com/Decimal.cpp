#include "platform/com/Decimal.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace platform {
namespace {

using Magnitude = unsigned __int128;

constexpr Magnitude kMaxMagnitude = (static_cast<Magnitude>(1) << 96) - 1;
constexpr int kMaxScale = 28;
constexpr int kMaxDigits = 29;

Magnitude MagnitudeOf(const DECIMAL& value) {
    return (static_cast<Magnitude>(value.Hi32) << 64) | value.Lo64;
}

void Store(Magnitude magnitude, int scale, bool negative, DECIMAL* value) {
    value->wReserved = 0;
    value->scale = static_cast<BYTE>(scale);
    value->sign = negative && magnitude != 0 ? DECIMAL_NEG : 0;
    value->Hi32 = static_cast<ULONG>(magnitude >> 64);
    value->Lo64 = static_cast<ULONGLONG>(magnitude);
}

// Divides by ten, rounding half to even; `sticky` says whether digits already dropped were
// nonzero.
Magnitude DivideByTen(Magnitude magnitude, bool* sticky) {
    const unsigned digit = static_cast<unsigned>(magnitude % 10);
    Magnitude quotient = magnitude / 10;
    if (digit > 5 || (digit == 5 && (*sticky || quotient % 2 == 1))) {
        ++quotient;
    }
    *sticky = *sticky || digit != 0;
    return quotient;
}

}  // namespace

HRESULT DecimalFromText(std::string_view text, DECIMAL* value) {
    size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    Magnitude magnitude = 0;
    int digits = 0;
    int scale = 0;
    int dropped = 0;
    bool sawDigit = false;
    bool sawPoint = false;
    bool sticky = false;
    int firstDropped = -1;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !sawPoint) {
            sawPoint = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            break;
        }
        sawDigit = true;
        const int digit = c - '0';
        if (digits == 0 && digit == 0) {
            scale += sawPoint ? 1 : 0;
            continue;
        }
        const bool fits = digits < kMaxDigits && magnitude * 10 + digit <= kMaxMagnitude &&
                          (!sawPoint || scale < kMaxScale);
        if (fits) {
            magnitude = magnitude * 10 + digit;
            ++digits;
            scale += sawPoint ? 1 : 0;
        } else {
            if (firstDropped < 0) {
                firstDropped = digit;
            } else {
                sticky = sticky || digit != 0;
            }
            dropped += sawPoint ? 0 : 1;
        }
    }
    if (!sawDigit) {
        return DISP_E_TYPEMISMATCH;
    }
    int exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool negativeExponent = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
            ++at;
        }
        const size_t start = at;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
            exponent = std::min(exponent * 10 + (text[at] - '0'), 100000);
            ++at;
        }
        if (at == start) {
            return DISP_E_TYPEMISMATCH;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (at != text.size()) {
        return DISP_E_TYPEMISMATCH;
    }
    if (firstDropped > 5 || (firstDropped == 5 && (sticky || magnitude % 2 == 1))) {
        ++magnitude;
    }
    sticky = sticky || firstDropped > 0;
    // Integer digits that did not fit count as powers of ten.
    scale -= dropped + exponent;
    while (scale < 0 && magnitude != 0) {
        if (magnitude > kMaxMagnitude / 10) {
            return DISP_E_OVERFLOW;
        }
        magnitude *= 10;
        ++scale;
    }
    scale = std::max(scale, 0);
    while (scale > kMaxScale) {
        if (magnitude == 0) {
            scale = kMaxScale;
            break;
        }
        magnitude = DivideByTen(magnitude, &sticky);
        --scale;
    }
    if (magnitude > kMaxMagnitude) {
        return DISP_E_OVERFLOW;
    }
    Store(magnitude, scale, negative, value);
    return S_OK;
}

std::string DecimalToText(const DECIMAL& value) {
    Magnitude magnitude = MagnitudeOf(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    const size_t scale = value.scale;
    if (digits.size() <= scale) {
        digits.insert(0, scale - digits.size() + 1, '0');
    }
    std::string whole = digits.substr(0, digits.size() - scale);
    std::string fraction = digits.substr(digits.size() - scale);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string text = fraction.empty() ? whole : whole + "." + fraction;
    const bool zero = text == "0";
    return (value.sign & DECIMAL_NEG) != 0 && !zero ? "-" + text : text;
}

bool DecimalToNumber(const DECIMAL& value, long double* number) {
    if (value.scale > kMaxScale) {
        return false;
    }
    long double result = static_cast<long double>(MagnitudeOf(value));
    result /= std::pow(10.0L, static_cast<long double>(value.scale));
    *number = (value.sign & DECIMAL_NEG) != 0 ? -result : result;
    return true;
}

HRESULT DecimalFromNumber(long double number, DECIMAL* value) {
    if (!std::isfinite(number)) {
        return DISP_E_OVERFLOW;
    }
    const long double magnitude = std::fabs(number);
    if (magnitude == std::floor(magnitude) && magnitude < 18446744073709551616.0L) {
        Store(static_cast<Magnitude>(magnitude), 0, number < 0, value);
        return S_OK;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.15Lg", number);
    return DecimalFromText(text, value);
}

}  // namespace platform
