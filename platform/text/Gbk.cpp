#include "platform/text/Gbk.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace platform {
namespace {

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool IsAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template <typename Map>
void MapSingleBytes(char* text, size_t length, Map map) {
    size_t i = 0;
    while (i < length) {
        if (IsLeadByte(Byte(text[i])) && i + 1 < length) {
            i += 2;
        } else {
            text[i] = static_cast<char>(map(Byte(text[i])));
            ++i;
        }
    }
}

unsigned char UpperAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

char16_t NarrowWidth(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
        return static_cast<char16_t>(c - 0xFF01 + 0x21);
    }
    return c == 0x3000 ? u' ' : c;
}

}  // namespace

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

size_t CharLengthAt(std::string_view text, size_t offset) {
    return (IsLeadByte(Byte(text[offset])) && offset + 1 < text.size()) ? 2 : 1;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    // Up to the first difference both texts hold the same bytes, so their character boundaries
    // agree and one flag tells whether the current byte is a second byte in both.
    bool second_byte = false;
    size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        unsigned char x = Byte(a[i]);
        unsigned char y = Byte(b[i]);
        if (!second_byte) {
            x = FoldAscii(x);
            y = FoldAscii(y);
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
        second_byte = !second_byte && IsLeadByte(x);
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

int CompareBytes(std::string_view a, std::string_view b) {
    // std::string_view compares through char_traits<char>, which orders as unsigned char.
    int result = a.compare(b);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldAscii(Byte(text[i])) != FoldAscii(Byte(prefix[i]))) {
            return false;
        }
    }
    return true;
}

int CompareNoCaseN(const char* a, const char* b, size_t n) {
    if (a == nullptr) {
        a = "";
    }
    if (b == nullptr) {
        b = "";
    }
    for (size_t i = 0; i < n; ++i) {
        int x = FoldAscii(Byte(a[i]));
        int y = FoldAscii(Byte(b[i]));
        if (x != y || x == 0) {
            return x - y;
        }
    }
    return 0;
}

size_t FindText(std::string_view text, std::string_view what, size_t from) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    // Let the byte search propose a match, then walk the characters up to it: a match that the
    // walk steps over starts on a second byte and does not count.
    size_t boundary = from;
    for (;;) {
        size_t hit = text.find(what, boundary);
        if (hit == std::string_view::npos) {
            return hit;
        }
        while (boundary < hit) {
            boundary += CharLengthAt(text, boundary);
        }
        if (boundary == hit) {
            return hit;
        }
    }
}

size_t FindChar(std::string_view text, char c, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLengthAt(text, i)) {
        if (text[i] == c && CharLengthAt(text, i) == 1) {
            return i;
        }
    }
    return std::string_view::npos;
}

size_t FindLastChar(std::string_view text, char c) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        if (text[i] == c && CharLengthAt(text, i) == 1) {
            found = i;
        }
    }
    return found;
}

void ToLowerAscii(std::string& text) {
    MapSingleBytes(text.data(), text.size(), FoldAscii);
}

void ToUpperAscii(std::string& text) {
    MapSingleBytes(text.data(), text.size(), UpperAscii);
}

void ToLowerAscii(char* text) {
    if (text != nullptr) {
        MapSingleBytes(text, std::strlen(text), FoldAscii);
    }
}

void ToUpperAscii(char* text) {
    if (text != nullptr) {
        MapSingleBytes(text, std::strlen(text), UpperAscii);
    }
}

size_t CutAtCharBoundary(std::string_view text, size_t maxBytes) {
    size_t limit = std::min(maxBytes, text.size());
    size_t length = 0;
    for (;;) {
        size_t step = (length < text.size() && IsLeadByte(Byte(text[length]))) ? 2 : 1;
        if (length + step > limit) {
            return length;
        }
        length += step;
    }
}

std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> texts) {
    std::string result;
    result.reserve(pattern.size());
    auto next_text = texts.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        char following = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '%' && following == 's') {
            if (next_text != texts.end()) {
                result.append(*next_text++);
            }
            ++i;
        } else if (c == '%' && following == '%') {
            result.push_back('%');
            ++i;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

int ParseInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsAsciiSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Keep accumulating past the limit only as far as needed to know that it was passed.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), limit);
    }
    return static_cast<int>(negative ? -value : value);
}

bool EqualIgnoringWidth(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (NarrowWidth(a[i]) != NarrowWidth(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace platform
