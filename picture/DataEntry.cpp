#include "picture/DataEntry.h"

#include <cstdint>
#include <string>

#include "platform/text/HexDigit.h"

namespace {

// The leading decimal number of the text after optional blanks and a sign, as atoi reads it;
// 0 when there is none and the limit of the type when it overflows.
std::int32_t LeadingNumber(std::string_view text) {
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return 0;
    }
    text.remove_prefix(start);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > INT32_MAX) {
            return negative ? INT32_MIN : INT32_MAX;
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

CString CDataEntry::DecodeHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        return CString();
    }
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = platform::HexDigitValue(hex[i]);
        const int low = platform::HexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0) {
            return CString();
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return CString(std::string_view(bytes));
}

void CDataEntry::Parse(std::string_view line) {
    const size_t first = line.find(' ');
    m_strName = CString(line.substr(0, first));
    m_nType = 0;
    m_strValue.Empty();
    if (first == std::string_view::npos) {
        return;
    }
    const std::string_view rest = line.substr(first + 1);
    const size_t second = rest.find(' ');
    if (second == std::string_view::npos) {
        m_strValue = CString(rest);
        return;
    }
    m_nType = LeadingNumber(rest.substr(0, second));
    const std::string_view value = rest.substr(second + 1);
    m_strValue = m_nType == kHexType ? DecodeHex(value) : CString(value);
}
