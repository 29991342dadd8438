#include "platform/resources/RcLexer.h"

#include <algorithm>

#include "platform/resources/RcError.h"
#include "platform/text/Encoding.h"
#include "platform/text/HexDigit.h"

namespace platform {

namespace {

bool IsIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr const char* kTwoCharacterOperators[] = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
constexpr std::string_view kOneCharacterOperators = ",|&~()+-*/%!<>^{}=?:";

}  // namespace

RcLexer::RcLexer(std::string_view text, std::shared_ptr<const std::string> file, int firstLine,
                 bool directives)
    : text_(text), file_(std::move(file)), line_(firstLine), directives_(directives) {}

char RcLexer::Peek(size_t ahead) const {
    return position_ + ahead < text_.size() ? text_[position_ + ahead] : '\0';
}

void RcLexer::Fail(const std::string& message) const {
    throw RcError(*file_, line_, message);
}

RcToken RcLexer::Make(RcTokenKind kind, std::string text) const {
    RcToken token;
    token.kind = kind;
    token.text = std::move(text);
    token.file = file_;
    token.line = line_;
    return token;
}

void RcLexer::SkipSpaceAndComments() {
    while (!AtEnd()) {
        char c = Peek();
        if (c == '\n') {
            ++line_;
            ++position_;
            lineStart_ = true;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++position_;
        } else if (c == '\\' && (Peek(1) == '\n' || (Peek(1) == '\r' && Peek(2) == '\n'))) {
            position_ += Peek(1) == '\n' ? 2 : 3;
            ++line_;
        } else if (c == '/' && Peek(1) == '/') {
            while (!AtEnd() && Peek() != '\n') {
                ++position_;
            }
        } else if (c == '/' && Peek(1) == '*') {
            int startLine = line_;
            position_ += 2;
            while (!AtEnd() && !(Peek() == '*' && Peek(1) == '/')) {
                if (Peek() == '\n') {
                    ++line_;
                }
                ++position_;
            }
            if (AtEnd()) {
                throw RcError(*file_, startLine, "unterminated comment");
            }
            position_ += 2;
        } else if (static_cast<unsigned char>(c) == 0xEF && Peek(1) == '\xBB' &&
                   Peek(2) == '\xBF' && position_ == 0) {
            position_ += 3;  // a UTF-8 byte order mark
        } else {
            return;
        }
    }
}

RcToken RcLexer::Directive() {
    ++position_;  // '#'
    RcToken token = Make(RcTokenKind::Directive, {});
    std::string body;
    while (!AtEnd() && Peek() != '\n') {
        if (Peek() == '\\' && (Peek(1) == '\n' || (Peek(1) == '\r' && Peek(2) == '\n'))) {
            position_ += Peek(1) == '\n' ? 2 : 3;
            ++line_;
            body += ' ';
            continue;
        }
        body += Peek();
        ++position_;
    }
    token.text = std::move(body);
    return token;
}

RcToken RcLexer::Number() {
    RcToken token = Make(RcTokenKind::Number, {});
    unsigned long long value = 0;
    size_t start = position_;
    if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
        position_ += 2;
        if (HexDigitValue(Peek()) < 0) {
            Fail("malformed hexadecimal number");
        }
        while (HexDigitValue(Peek()) >= 0) {
            value = value * 16 + static_cast<unsigned>(HexDigitValue(Peek()));
            ++position_;
        }
    } else {
        unsigned base = Peek() == '0' ? 8 : 10;
        while (IsDigit(Peek())) {
            unsigned digit = static_cast<unsigned>(Peek() - '0');
            if (digit >= base) {
                Fail("malformed octal number");
            }
            value = value * base + digit;
            ++position_;
        }
    }
    while (Peek() == 'L' || Peek() == 'l' || Peek() == 'U' || Peek() == 'u') {
        if (Peek() == 'L' || Peek() == 'l') {
            token.longSuffix = true;
        }
        ++position_;
    }
    if (IsIdentifierStart(Peek()) || IsDigit(Peek())) {
        Fail("malformed number '" + std::string(text_.substr(start, position_ - start + 1)) + "'");
    }
    token.number = static_cast<long long>(value);
    token.text = std::string(text_.substr(start, position_ - start));
    return token;
}

RcToken RcLexer::String() {
    RcToken token = Make(RcTokenKind::String, {});
    ++position_;  // opening quote
    std::string bytes;
    std::string utf8Run;
    auto flush = [&] {
        std::string gbk = Utf8ToGbk(utf8Run);
        // The conversion writes '?' for what it cannot convert, and no GBK character has '?' as
        // a byte, so a '?' more than the source had means text the programs could not show.
        if (std::count(gbk.begin(), gbk.end(), '?') !=
            std::count(utf8Run.begin(), utf8Run.end(), '?')) {
            throw RcError(*file_, token.line, "string is not UTF-8 text that GBK can hold");
        }
        bytes += gbk;
        utf8Run.clear();
    };
    for (;;) {
        if (AtEnd() || Peek() == '\n') {
            throw RcError(*file_, token.line, "unterminated string");
        }
        char c = Peek();
        if (c == '"') {
            if (Peek(1) == '"') {
                utf8Run += '"';
                position_ += 2;
                continue;
            }
            ++position_;
            break;
        }
        if (c != '\\') {
            utf8Run += c;
            ++position_;
            continue;
        }
        char escape = Peek(1);
        position_ += 2;
        switch (escape) {
            case 'n':
                utf8Run += '\n';
                break;
            case 't':
                utf8Run += '\t';
                break;
            case 'r':
                utf8Run += '\r';
                break;
            case 'a':
                utf8Run += '\b';
                break;  // the menu's right-alignment mark
            case '\\':
                utf8Run += '\\';
                break;
            case '"':
                utf8Run += '"';
                break;
            case '\'':
                utf8Run += '\'';
                break;
            case 'x':
            case 'X': {
                int value = 0;
                int digits = 0;
                while (digits < 2 && HexDigitValue(Peek()) >= 0) {
                    value = value * 16 + HexDigitValue(Peek());
                    ++position_;
                    ++digits;
                }
                if (digits == 0) {
                    Fail("\\x without hexadecimal digits");
                }
                flush();
                bytes += static_cast<char>(value);
                break;
            }
            default:
                if (escape >= '0' && escape <= '7') {
                    int value = escape - '0';
                    for (int digits = 1; digits < 3 && Peek() >= '0' && Peek() <= '7'; ++digits) {
                        value = value * 8 + (Peek() - '0');
                        ++position_;
                    }
                    flush();
                    bytes += static_cast<char>(value & 0xFF);
                } else if (escape == '\n' || escape == '\0') {
                    throw RcError(*file_, token.line, "unterminated string");
                } else {
                    // An unknown escape keeps its backslash, as file paths written with single
                    // backslashes expect.
                    utf8Run += '\\';
                    utf8Run += escape;
                }
        }
    }
    flush();
    token.text = std::move(bytes);
    return token;
}

std::vector<RcToken> RcLexer::Tokenize() {
    std::vector<RcToken> tokens;
    for (;;) {
        SkipSpaceAndComments();
        if (AtEnd()) {
            return tokens;
        }
        bool atLineStart = lineStart_;
        lineStart_ = false;
        char c = Peek();
        if (c == '#') {
            if (!directives_ || !atLineStart) {
                Fail("unexpected '#'");
            }
            tokens.push_back(Directive());
        } else if ((c == 'L' || c == 'l') && Peek(1) == '"') {
            ++position_;
            tokens.push_back(String());
        } else if (IsIdentifierStart(c)) {
            size_t start = position_;
            while (IsIdentifierStart(Peek()) || IsDigit(Peek())) {
                ++position_;
            }
            tokens.push_back(
                Make(RcTokenKind::Identifier, std::string(text_.substr(start, position_ - start))));
        } else if (IsDigit(c)) {
            tokens.push_back(Number());
        } else if (c == '"') {
            tokens.push_back(String());
        } else {
            std::string two{c, Peek(1)};
            bool matched = false;
            for (const char* op : kTwoCharacterOperators) {
                if (two == op) {
                    tokens.push_back(Make(RcTokenKind::Punctuation, two));
                    position_ += 2;
                    matched = true;
                    break;
                }
            }
            if (matched) {
                continue;
            }
            if (kOneCharacterOperators.find(c) == std::string_view::npos) {
                unsigned char byte = static_cast<unsigned char>(c);
                Fail(byte >= 0x20 && byte < 0x7F ? std::string("unexpected character '") + c + "'"
                                                 : "unexpected byte " + std::to_string(byte));
            }
            tokens.push_back(Make(RcTokenKind::Punctuation, std::string(1, c)));
            ++position_;
        }
    }
}

}  // namespace platform
