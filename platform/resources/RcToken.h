// One token of a resource script, with the place it came from for error messages.
#pragma once

#include <memory>
#include <string>

namespace platform {

enum class RcTokenKind {
    Identifier,
    Number,
    String,       // `text` holds the GBK bytes with escapes resolved
    Punctuation,  // `text` holds the operator, one or two characters
    Directive,    // a '#' line; `text` holds what follows the '#'
};

struct RcToken {
    RcTokenKind kind = RcTokenKind::Punctuation;
    std::string text;
    long long number = 0;
    bool longSuffix = false;  // a number written with L: four bytes in raw data
    std::shared_ptr<const std::string> file;
    int line = 0;

    bool Is(RcTokenKind k, const char* t) const { return kind == k && text == t; }
    bool IsPunctuation(const char* t) const { return Is(RcTokenKind::Punctuation, t); }
};

}  // namespace platform
