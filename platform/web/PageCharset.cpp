#include "platform/web/PageCharset.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace platform::web {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '/';
}

// The value after "charset=" in `text` (a content attribute or a whole tag), or "".
std::string CharsetAfterKey(std::string_view text) {
    std::string lower = Lower(text);
    size_t key = lower.find("charset");
    while (key != std::string::npos) {
        size_t i = key + 7;
        while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) {
            ++i;
        }
        if (i < lower.size() && lower[i] == '=') {
            ++i;
            while (i < lower.size() && (IsSpace(lower[i]) || lower[i] == '"' || lower[i] == '\'')) {
                ++i;
            }
            size_t end = i;
            while (end < lower.size() && !IsSpace(lower[end]) && lower[end] != '"' &&
                   lower[end] != '\'' && lower[end] != ';' && lower[end] != '>') {
                ++end;
            }
            if (end > i) {
                return lower.substr(i, end - i);
            }
        }
        key = lower.find("charset", key + 7);
    }
    return "";
}

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        if (byte >= 0x80) {
            if ((byte & 0xE0) == 0xC0) {
                extra = 1;
            } else if ((byte & 0xF0) == 0xE0) {
                extra = 2;
            } else if ((byte & 0xF8) == 0xF0) {
                extra = 3;
            } else {
                return false;
            }
        }
        if (extra > bytes.size() - i - 1) {
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += extra + 1;
    }
    return true;
}

// The system converter's name for a page charset.
std::string ConverterName(const std::string& charset) {
    if (charset == "utf-8" || charset == "utf8" || charset == "unicode-1-1-utf-8") {
        return "UTF-8";
    }
    if (charset == "gb2312" || charset == "gbk" || charset == "x-gbk" || charset == "gb18030" ||
        charset == "iso-ir-58" || charset == "chinese" || charset == "csgb2312" ||
        charset == "euc-cn" || charset == "cp936" || charset == "windows-936") {
        return "GB18030";
    }
    // Browsers read Latin-1 labels as Windows-1252.
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii" ||
        charset == "windows-1252") {
        return "WINDOWS-1252";
    }
    return charset;
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Convert(std::string_view bytes, const std::string& from) {
    // In these, ASCII stands for itself: a page of nothing else needs no converter.
    if ((from == "UTF-8" || from == "GB18030" || from == "WINDOWS-1252") && IsAscii(bytes)) {
        return std::string(bytes);
    }
    iconv_t converter = iconv_open("UTF-8", from.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        converter = iconv_open("UTF-8", "GB18030");
        if (converter == reinterpret_cast<iconv_t>(-1)) {
            return std::string(bytes);
        }
    }
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char buffer[4096];
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPointer = buffer;
        size_t outLeft = sizeof(buffer);
        size_t result = iconv(converter, &in, &inLeft, &outPointer, &outLeft);
        out.append(buffer, static_cast<size_t>(outPointer - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: one '?' for its first byte, then go on.
            out += '?';
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* outPointer = buffer;
    size_t outLeft = sizeof(buffer);
    iconv(converter, nullptr, nullptr, &outPointer, &outLeft);
    out.append(buffer, static_cast<size_t>(outPointer - buffer));
    iconv_close(converter);
    return out;
}

}  // namespace

std::string SniffCharset(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return "utf-8";
    }
    std::string_view head = bytes.substr(0, 1024);
    std::string lower = Lower(head);
    size_t tag = lower.find("<meta");
    while (tag != std::string::npos) {
        size_t end = lower.find('>', tag);
        std::string_view meta = std::string_view(lower).substr(
            tag, end == std::string::npos ? std::string::npos : end - tag);
        std::string charset = CharsetAfterKey(meta);
        if (!charset.empty()) {
            return charset;
        }
        tag = lower.find("<meta", tag + 5);
    }
    return "";
}

std::string DecodePage(std::string_view bytes, std::string_view charset) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        return Convert(bytes, "UTF-8");
    }
    std::string name = Lower(charset);
    if (name == "_autodetect") {
        return Convert(bytes, IsValidUtf8(bytes) ? "UTF-8" : "GB18030");
    }
    return Convert(bytes, ConverterName(name));
}

}  // namespace platform::web
