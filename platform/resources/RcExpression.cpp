#include "platform/resources/RcExpression.h"

#include <climits>
#include <cstdint>
#include <string_view>

#include "platform/resources/RcBuiltinSymbols.h"
#include "platform/resources/RcError.h"

namespace platform {

namespace {

// Bounds macro expansion and parenthesis nesting, so that a macro defined through itself or a
// hostile script ends in an error instead of a stack overflow.
constexpr int kMaxDepth = 64;

struct BinaryOperator {
    std::string_view text;
    int precedence;
};

constexpr BinaryOperator kOperators[] = {
    {"||", 1}, {"&&", 2}, {"|", 3}, {"^", 4},  {"&", 5},  {"==", 6},
    {"!=", 6}, {"<", 7},  {">", 7}, {"<=", 7}, {">=", 7}, {"<<", 8},
    {">>", 8}, {"+", 9},  {"-", 9}, {"*", 10}, {"/", 10}, {"%", 10},
};

constexpr int kOrPrecedence = 3;

int PrecedenceOf(const RcToken& token) {
    if (token.kind != RcTokenKind::Punctuation) {
        return 0;
    }
    for (const BinaryOperator& op : kOperators) {
        if (token.text == op.text) {
            return op.precedence;
        }
    }
    return 0;
}

long long Wrap(unsigned long long value) {
    return static_cast<long long>(value);
}

}  // namespace

RcExpression::RcExpression(const std::vector<RcToken>& tokens, size_t& position,
                           const RcSymbols& symbols, Mode mode)
    : tokens_(tokens), position_(position), symbols_(symbols), mode_(mode) {}

const RcToken& RcExpression::Current() const {
    return tokens_[position_];
}

void RcExpression::Fail(const RcToken& at, const std::string& message) const {
    throw RcError(at.file ? *at.file : std::string(), at.line, message);
}

long long RcExpression::Evaluate() {
    return Binary(1);
}

long long RcExpression::EvaluateOperand() {
    return Unary();
}

long long RcExpression::EvaluateAboveOr() {
    return Binary(kOrPrecedence + 1);
}

long long RcExpression::Binary(int minimumPrecedence) {
    long long left = Unary();
    for (;;) {
        if (AtEnd()) {
            return left;
        }
        const RcToken& op = Current();
        int precedence = PrecedenceOf(op);
        if (precedence == 0 || precedence < minimumPrecedence) {
            return left;
        }
        ++position_;
        long long right = Binary(precedence + 1);
        unsigned long long a = static_cast<unsigned long long>(left);
        unsigned long long b = static_cast<unsigned long long>(right);
        const std::string& text = op.text;
        if (text == "||") {
            left = (left != 0 || right != 0) ? 1 : 0;
        } else if (text == "&&") {
            left = (left != 0 && right != 0) ? 1 : 0;
        } else if (text == "|") {
            left = Wrap(a | b);
        } else if (text == "^") {
            left = Wrap(a ^ b);
        } else if (text == "&") {
            left = Wrap(a & b);
        } else if (text == "==") {
            left = left == right;
        } else if (text == "!=") {
            left = left != right;
        } else if (text == "<") {
            left = left < right;
        } else if (text == ">") {
            left = left > right;
        } else if (text == "<=") {
            left = left <= right;
        } else if (text == ">=") {
            left = left >= right;
        } else if (text == "<<") {
            left = Wrap(a << (b & 63));
        } else if (text == ">>") {
            left = left >> (b & 63);
        } else if (text == "+") {
            left = Wrap(a + b);
        } else if (text == "-") {
            left = Wrap(a - b);
        } else if (text == "*") {
            left = Wrap(a * b);
        } else {
            if (right == 0) {
                Fail(op, "division by zero");
            }
            if (left == LLONG_MIN && right == -1) {
                left = text == "/" ? LLONG_MIN : 0;
            } else {
                left = text == "/" ? left / right : left % right;
            }
        }
    }
}

long long RcExpression::Unary() {
    if (AtEnd()) {
        Fail(tokens_.empty() ? RcToken{} : tokens_.back(), "expression expected");
    }
    const RcToken& token = Current();
    if (token.kind == RcTokenKind::Punctuation &&
        (token.text == "-" || token.text == "~" || token.text == "!" || token.text == "+")) {
        if (++depth_ > kMaxDepth) {
            Fail(token, "expression nests too deeply");
        }
        ++position_;
        long long value = Unary();
        --depth_;
        unsigned long long bits = static_cast<unsigned long long>(value);
        if (token.text == "-") {
            return Wrap(0 - bits);
        }
        if (token.text == "~") {
            return Wrap(~bits);
        }
        if (token.text == "!") {
            return value == 0 ? 1 : 0;
        }
        return value;
    }
    return Primary();
}

long long RcExpression::Primary() {
    const RcToken& token = Current();
    if (token.kind == RcTokenKind::Number) {
        ++position_;
        return token.number;
    }
    if (token.IsPunctuation("(")) {
        if (++depth_ > kMaxDepth) {
            Fail(token, "expression nests too deeply");
        }
        ++position_;
        long long value = Evaluate();
        if (AtEnd() || !Current().IsPunctuation(")")) {
            Fail(AtEnd() ? token : Current(), "')' expected");
        }
        ++position_;
        --depth_;
        return value;
    }
    if (token.kind == RcTokenKind::Identifier) {
        ++position_;
        if (mode_ == Mode::Preprocessor && token.text == "defined") {
            bool parenthesised = !AtEnd() && Current().IsPunctuation("(");
            if (parenthesised) {
                ++position_;
            }
            if (AtEnd() || Current().kind != RcTokenKind::Identifier) {
                Fail(token, "name expected after 'defined'");
            }
            bool defined = symbols_.Find(Current().text) != nullptr;
            ++position_;
            if (parenthesised) {
                if (AtEnd() || !Current().IsPunctuation(")")) {
                    Fail(token, "')' expected");
                }
                ++position_;
            }
            return defined ? 1 : 0;
        }
        return Expand(token);
    }
    Fail(token, "expression expected");
}

long long RcExpression::Expand(const RcToken& name) {
    if (const RcSymbols::Macro* macro = symbols_.Find(name.text)) {
        if (macro->functionLike) {
            Fail(name, "macro '" + name.text + "' takes arguments, which are not supported");
        }
        if (mode_ == Mode::Resource) {
            // Statements arrive with their macros expanded already; a name left over is one
            // that referred to itself.
            Fail(name, "undefined symbol '" + name.text + "'");
        }
        if (macro->body.empty()) {
            return 0;
        }
        if (++depth_ > kMaxDepth) {
            Fail(name, "macro '" + name.text + "' expands too deeply");
        }
        size_t inner = 0;
        RcExpression body(macro->body, inner, symbols_, mode_);
        body.depth_ = depth_;
        long long value = body.Evaluate();
        if (inner != macro->body.size()) {
            Fail(name, "macro '" + name.text + "' is not a single expression");
        }
        --depth_;
        return value;
    }
    if (std::optional<long long> builtin = FindBuiltinSymbol(name.text)) {
        return *builtin;
    }
    if (mode_ == Mode::Preprocessor) {
        return 0;
    }
    Fail(name, "undefined symbol '" + name.text + "'");
}

}  // namespace platform
