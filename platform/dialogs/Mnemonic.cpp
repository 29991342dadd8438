#include "platform/dialogs/Mnemonic.h"

#include "platform/text/Gbk.h"

namespace platform {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

char Mnemonic::Of(std::string_view text) {
    for (size_t offset = 0; offset < text.size(); offset += CharLengthAt(text, offset)) {
        if (text[offset] != '&' || offset + 1 >= text.size()) {
            continue;
        }
        const char next = text[offset + 1];
        if (next == '&') {
            ++offset;
            continue;
        }
        const auto byte = static_cast<unsigned char>(next);
        return byte < 0x80 && byte >= 0x20 ? LowerAscii(next) : '\0';
    }
    return '\0';
}

bool Mnemonic::Matches(std::string_view text, char typed) {
    const char mnemonic = Of(text);
    return mnemonic != '\0' && mnemonic == LowerAscii(typed);
}

}  // namespace platform
