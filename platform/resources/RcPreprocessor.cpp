#include "platform/resources/RcPreprocessor.h"

#include <algorithm>

#include "platform/resources/RcError.h"
#include "platform/resources/RcExpression.h"
#include "platform/resources/RcLexer.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

constexpr int kMaxIncludeDepth = 16;
constexpr size_t kMaxExpansionDepth = 64;

// Splits "name rest" after the '#'.
std::pair<std::string, std::string> SplitDirective(const std::string& text) {
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return {};
    }
    size_t end = start;
    while (end < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) {
        ++end;
    }
    return {text.substr(start, end - start), text.substr(end)};
}

bool IsSystemHeaderName(std::string name) {
    size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) {
        name = name.substr(slash + 1);
    }
    ToLowerAscii(name);
    return name.starts_with("afx") || name.starts_with("win") || name == "commctrl.h" ||
           name == "dlgs.h" || name == "richedit.h" || name == "shellapi.h";
}

std::vector<RcToken> LexDirectiveBody(const RcToken& directive, const std::string& rest) {
    return RcLexer(rest, directive.file, directive.line, false).Tokenize();
}

}  // namespace

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ResolveScriptPath(const std::string& includingFile, const std::string& name) {
    std::string normalized = name;
    std::replace(normalized.begin(), normalized.end(), '\\', '/');
    if (normalized.starts_with("/")) {
        return normalized;
    }
    return FolderOf(includingFile) + normalized;
}

RcPreprocessor::RcPreprocessor(RcSymbols& symbols, FileReader reader)
    : symbols_(symbols), reader_(std::move(reader)) {}

std::vector<RcToken> RcPreprocessor::Run(const std::string& path) {
    output_.clear();
    filesRead_.clear();
    ProcessFile(path, nullptr);
    return std::move(output_);
}

bool RcPreprocessor::Active(const std::vector<Condition>& conditions) const {
    return conditions.empty() || conditions.back().active;
}

void RcPreprocessor::ProcessFile(const std::string& path, const RcToken* includedFrom) {
    std::optional<std::string> text = reader_(path);
    if (!text) {
        if (includedFrom != nullptr) {
            throw RcError(*includedFrom->file, includedFrom->line,
                          "cannot open include file '" + path + "'");
        }
        throw RcError(path, 0, "cannot open file");
    }
    filesRead_.push_back(path);
    auto file = std::make_shared<const std::string>(path);
    std::vector<RcToken> tokens = RcLexer(*text, file).Tokenize();
    std::vector<Condition> conditions;
    for (RcToken& token : tokens) {
        if (token.kind == RcTokenKind::Directive) {
            Directive(token, path, conditions);
        } else if (Active(conditions)) {
            std::vector<std::string> expanding;
            Emit(std::move(token), expanding);
        }
    }
    if (!conditions.empty()) {
        throw RcError(path, conditions.back().line, "#if without #endif");
    }
}

void RcPreprocessor::Emit(RcToken token, std::vector<std::string>& expanding) {
    const RcSymbols::Macro* macro =
        token.kind == RcTokenKind::Identifier ? symbols_.Find(token.text) : nullptr;
    // As in C, a macro is not expanded again inside its own expansion, and function-like macros
    // are left for the parser to refuse.
    if (macro == nullptr || macro->functionLike ||
        std::find(expanding.begin(), expanding.end(), token.text) != expanding.end()) {
        output_.push_back(std::move(token));
        return;
    }
    if (expanding.size() >= kMaxExpansionDepth) {
        throw RcError(*token.file, token.line, "macro '" + token.text + "' expands too deeply");
    }
    expanding.push_back(token.text);
    for (const RcToken& bodyToken : macro->body) {
        RcToken copy = bodyToken;
        // Faults inside an expansion are reported where the macro is used.
        copy.file = token.file;
        copy.line = token.line;
        Emit(std::move(copy), expanding);
    }
    expanding.pop_back();
}

bool RcPreprocessor::EvaluateCondition(const RcToken& directive, const std::string& rest) {
    std::vector<RcToken> tokens = LexDirectiveBody(directive, rest);
    if (tokens.empty()) {
        throw RcError(*directive.file, directive.line, "condition expected");
    }
    size_t position = 0;
    long long value =
        RcExpression(tokens, position, symbols_, RcExpression::Mode::Preprocessor).Evaluate();
    if (position != tokens.size()) {
        throw RcError(*directive.file, directive.line, "unexpected text after condition");
    }
    return value != 0;
}

void RcPreprocessor::Directive(const RcToken& directive, const std::string& path,
                               std::vector<Condition>& conditions) {
    auto [name, rest] = SplitDirective(directive.text);
    bool active = Active(conditions);
    auto fail = [&](const std::string& message) {
        throw RcError(*directive.file, directive.line, message);
    };
    if (name == "if" || name == "ifdef" || name == "ifndef") {
        bool taken = false;
        if (active) {
            if (name == "if") {
                taken = EvaluateCondition(directive, rest);
            } else {
                std::vector<RcToken> tokens = LexDirectiveBody(directive, rest);
                if (tokens.size() != 1 || tokens[0].kind != RcTokenKind::Identifier) {
                    fail("#" + name + " needs one name");
                }
                taken = (symbols_.Find(tokens[0].text) != nullptr) == (name == "ifdef");
            }
        }
        conditions.push_back({active, active && taken, taken, false, directive.line});
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (conditions.empty()) {
            fail("#" + name + " without #if");
        }
        Condition& condition = conditions.back();
        if (name == "endif") {
            conditions.pop_back();
            return;
        }
        if (condition.sawElse) {
            fail("#" + name + " after #else");
        }
        bool taken = false;
        if (condition.enclosingActive && !condition.anyTaken) {
            taken = name == "else" || EvaluateCondition(directive, rest);
        }
        condition.sawElse = name == "else";
        condition.active = taken;
        condition.anyTaken = condition.anyTaken || taken;
        return;
    }
    if (!active) {
        return;
    }
    if (name == "define") {
        std::vector<RcToken> tokens = LexDirectiveBody(directive, rest);
        if (tokens.empty() || tokens[0].kind != RcTokenKind::Identifier) {
            fail("#define needs a name");
        }
        RcSymbols::Macro macro;
        size_t nameEnd = rest.find(tokens[0].text) + tokens[0].text.size();
        macro.functionLike = nameEnd < rest.size() && rest[nameEnd] == '(';
        macro.body.assign(tokens.begin() + 1, tokens.end());
        symbols_.Define(tokens[0].text, std::move(macro));
    } else if (name == "undef") {
        std::vector<RcToken> tokens = LexDirectiveBody(directive, rest);
        if (tokens.size() != 1 || tokens[0].kind != RcTokenKind::Identifier) {
            fail("#undef needs one name");
        }
        symbols_.Undefine(tokens[0].text);
    } else if (name == "include") {
        Include(directive, rest, path);
    } else if (name == "error") {
        fail("#error" + rest);
    } else if (name != "pragma" && name != "line" && !name.empty()) {
        fail("unknown directive #" + name);
    }
}

void RcPreprocessor::Include(const RcToken& directive, const std::string& rest,
                             const std::string& path) {
    size_t open = rest.find_first_of("\"<");
    if (open == std::string::npos) {
        throw RcError(*directive.file, directive.line, "#include needs a file name");
    }
    char closeChar = rest[open] == '<' ? '>' : '"';
    size_t close = rest.find(closeChar, open + 1);
    if (close == std::string::npos) {
        throw RcError(*directive.file, directive.line, "unterminated #include file name");
    }
    std::string name = rest.substr(open + 1, close - open - 1);
    std::string resolved = ResolveScriptPath(path, name);
    bool system = closeChar == '>' || IsSystemHeaderName(name);
    if (system && !reader_(resolved)) {
        return;
    }
    if (includeDepth_ >= kMaxIncludeDepth) {
        throw RcError(*directive.file, directive.line, "#include nests too deeply");
    }
    ++includeDepth_;
    ProcessFile(resolved, &directive);
    --includeDepth_;
}

}  // namespace platform
