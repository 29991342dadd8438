// Integer expressions of resource scripts and #if lines: numbers, names (macros expand, built-in
// names have their platform values), parentheses, unary - ~ !, and the C binary operators from *
// down to ||, with C precedence. Arithmetic wraps at 64 bits instead of overflowing. An expression
// ends at the first token that cannot continue it, so a statement's fields need no separators.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/resources/RcSymbols.h"
#include "platform/resources/RcToken.h"

namespace platform {

class RcExpression {
public:
    enum class Mode {
        Resource,      // names are built-in ones (macros were expanded before); others are errors
        Preprocessor,  // macros expand, an unknown name is 0, and `defined` is an operator
    };

    RcExpression(const std::vector<RcToken>& tokens, size_t& position, const RcSymbols& symbols,
                 Mode mode);

    // Throws RcError when no expression starts at the position or a name is unknown.
    long long Evaluate();
    // One operand with its unary operators only, for style terms such as `NOT WS_VISIBLE`.
    long long EvaluateOperand();
    // An expression of operators that bind tighter than '|', for style lists.
    long long EvaluateAboveOr();

private:
    long long Binary(int minimumPrecedence);
    long long Unary();
    long long Primary();
    long long Expand(const RcToken& name);
    const RcToken& Current() const;
    bool AtEnd() const { return position_ >= tokens_.size(); }
    [[noreturn]] void Fail(const RcToken& at, const std::string& message) const;

    const std::vector<RcToken>& tokens_;
    size_t& position_;
    const RcSymbols& symbols_;
    Mode mode_;
    int depth_ = 0;
};

}  // namespace platform
