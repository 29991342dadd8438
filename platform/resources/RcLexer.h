// Splits resource script text into tokens. Comments disappear; a '#' that starts a line turns the
// rest of that line (with backslash continuations) into one directive token; string literals
// are resolved here: C escapes, "" for a quote, and UTF-8 text converted to GBK, while octal and
// hex escapes give their bytes unchanged.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/resources/RcToken.h"

namespace platform {

class RcLexer {
public:
    // `firstLine` numbers the first line of `text`; directive bodies are lexed with
    // `directives` false, so that a '#' inside them is an error instead of a new directive.
    RcLexer(std::string_view text, std::shared_ptr<const std::string> file, int firstLine = 1,
            bool directives = true);

    // Throws RcError on a character or literal that cannot start a token.
    std::vector<RcToken> Tokenize();

private:
    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek(size_t ahead = 0) const;
    void SkipSpaceAndComments();
    RcToken Make(RcTokenKind kind, std::string text) const;
    RcToken Directive();
    RcToken Number();
    RcToken String();
    [[noreturn]] void Fail(const std::string& message) const;

    std::string_view text_;
    std::shared_ptr<const std::string> file_;
    size_t position_ = 0;
    int line_;
    bool directives_;
    bool lineStart_ = true;
};

}  // namespace platform
