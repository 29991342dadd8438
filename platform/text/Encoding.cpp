#include "platform/text/Encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace platform {
namespace {

// Windows code page 936; glibc's "CP936" agrees with it on 0x80 (the euro sign).
constexpr const char* kGbkName = "CP936";

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; at an invalid or unmappable unit, appends `replacement` and skips the
    // number of input bytes that `skip` says the unit occupies.
    template <typename Skip>
    std::string Convert(std::string_view input, std::string_view replacement, Skip skip) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        output.reserve(input.size() * 2 + 8);
        char* in = const_cast<char*>(input.data());
        size_t in_left = input.size();
        char buffer[1024];
        while (in_left > 0) {
            char* out = buffer;
            size_t out_left = sizeof buffer;
            size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
            output.append(buffer, out - buffer);
            if (result != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL: an invalid, unmappable or cut-off unit.
            size_t bad = std::min(in_left, skip(std::string_view(in, in_left)));
            output.append(replacement);
            in += bad;
            in_left -= bad;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t handle_;
};

size_t GbkUnitLength(std::string_view text) {
    unsigned char lead = static_cast<unsigned char>(text[0]);
    return (lead >= 0x81 && lead <= 0xFE && text.size() >= 2) ? 2 : 1;
}

size_t Utf8UnitLength(std::string_view text) {
    unsigned char lead = static_cast<unsigned char>(text[0]);
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    size_t valid = 1;
    while (valid < length && valid < text.size() &&
           (static_cast<unsigned char>(text[valid]) & 0xC0) == 0x80) {
        ++valid;
    }
    return valid;
}

size_t Utf16UnitLength(std::string_view bytes) {
    if (bytes.size() >= 4) {
        char16_t first;
        std::memcpy(&first, bytes.data(), 2);
        if (first >= 0xD800 && first <= 0xDBFF) {
            char16_t second;
            std::memcpy(&second, bytes.data() + 2, 2);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                return 4;
            }
        }
    }
    return 2;
}

// One converter per direction and thread: iconv descriptors keep state between calls.
enum class Charset { kGbk, kUtf8, kUtf16 };

Converter& ConverterFor(Charset to, Charset from) {
    static constexpr const char* kNames[] = {kGbkName, "UTF-8", "UTF-16LE"};
    thread_local std::unique_ptr<Converter> converters[3][3];
    auto& slot = converters[static_cast<int>(to)][static_cast<int>(from)];
    if (!slot) {
        slot = std::make_unique<Converter>(kNames[static_cast<int>(to)],
                                           kNames[static_cast<int>(from)]);
    }
    return *slot;
}

std::string ConvertText(Charset to, Charset from, std::string_view input) {
    auto skip = from == Charset::kGbk    ? GbkUnitLength
                : from == Charset::kUtf8 ? Utf8UnitLength
                                         : Utf16UnitLength;
    std::string_view replacement = to == Charset::kUtf16 ? std::string_view("?\0", 2) : "?";
    return ConverterFor(to, from).Convert(input, replacement, skip);
}

std::string_view Utf16Bytes(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

std::u16string BytesToUtf16(const std::string& bytes) {
    std::u16string result(bytes.size() / 2, u'\0');
    std::memcpy(result.data(), bytes.data(), result.size() * 2);
    return result;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    return ConvertText(Charset::kUtf8, Charset::kGbk, gbk);
}

std::string Utf8ToGbk(std::string_view utf8) {
    return ConvertText(Charset::kGbk, Charset::kUtf8, utf8);
}

std::u16string GbkToUtf16(std::string_view gbk) {
    return BytesToUtf16(ConvertText(Charset::kUtf16, Charset::kGbk, gbk));
}

std::string Utf16ToGbk(std::u16string_view utf16) {
    return ConvertText(Charset::kGbk, Charset::kUtf16, Utf16Bytes(utf16));
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    return BytesToUtf16(ConvertText(Charset::kUtf16, Charset::kUtf8, utf8));
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    return ConvertText(Charset::kUtf8, Charset::kUtf16, Utf16Bytes(utf16));
}

}  // namespace platform

namespace {

bool IsGbkCodePage(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_OEMCP || codePage == platform::kGbkCodePage;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR text, int byteCount, LPWSTR wide,
                        int wideCount) {
    if (text == nullptr || byteCount == 0 || byteCount < -1 || wideCount < 0 ||
        (!IsGbkCodePage(codePage) && codePage != CP_UTF8)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // With -1 the terminating NUL is converted too, so it is part of the input.
    size_t length = byteCount == -1 ? std::strlen(text) + 1 : static_cast<size_t>(byteCount);
    std::string_view input(text, length);
    std::u16string result =
        IsGbkCodePage(codePage) ? platform::GbkToUtf16(input) : platform::Utf8ToUtf16(input);
    if (wideCount == 0) {
        return static_cast<int>(result.size());
    }
    if (result.size() > static_cast<size_t>(wideCount)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(wide, result.data(), result.size() * sizeof(WCHAR));
    return static_cast<int>(result.size());
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int wideCount, LPSTR text,
                        int byteCount, LPCSTR, BOOL* usedDefaultChar) {
    if (wide == nullptr || wideCount == 0 || wideCount < -1 || byteCount < 0 ||
        (!IsGbkCodePage(codePage) && codePage != CP_UTF8)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t length = wideCount == -1 ? std::char_traits<char16_t>::length(wide) + 1
                                    : static_cast<size_t>(wideCount);
    std::u16string_view input(wide, length);
    std::string result =
        IsGbkCodePage(codePage) ? platform::Utf16ToGbk(input) : platform::Utf16ToUtf8(input);
    if (usedDefaultChar != nullptr) {
        *usedDefaultChar =
            IsGbkCodePage(codePage) && platform::GbkToUtf16(result) != std::u16string(input);
    }
    if (byteCount == 0) {
        return static_cast<int>(result.size());
    }
    if (result.size() > static_cast<size_t>(byteCount)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(text, result.data(), result.size());
    return static_cast<int>(result.size());
}
