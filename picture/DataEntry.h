// One data line of a sectioned file: a name, a type and a value. A line holds the three separated
// by blanks; the value of type 101 is written as lower-case hexadecimal, two digits a byte, and
// is kept decoded.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/text/CString.h"

class CDataEntry {
public:
    static constexpr std::int32_t kHexType = 101;

    // The name is what stands before the first blank, the type the number between the first and
    // the second blank (0 without a second blank), the value the rest after the second blank (the
    // whole rest after the first when there is no second).
    void Parse(std::string_view line);
    // The bytes that the hexadecimal text stands for; empty when its length is odd or a character
    // is not a hexadecimal digit (upper-case digits count too).
    static CString DecodeHex(std::string_view hex);

    CString m_strName;
    CString m_strValue;
    std::int32_t m_nType = 0;
};
