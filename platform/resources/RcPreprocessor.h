// Reads a resource script and the files it includes, expands macros where they are used, obeys
// #define, #undef, #if, #ifdef, #ifndef, #elif, #else, #endif, #include and #error, and hands on
// the tokens of the active lines. System headers of the original platform (angle-bracket includes,
// and the framework's "afx*" and "win*" files) are skipped when absent, since their names are built
// in.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/resources/RcSymbols.h"
#include "platform/resources/RcToken.h"

namespace platform {

class RcPreprocessor {
public:
    // Returns a file's bytes, or nothing when it cannot be read.
    using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

    RcPreprocessor(RcSymbols& symbols, FileReader reader);

    // Throws RcError with the file and line of the fault.
    std::vector<RcToken> Run(const std::string& path);

    // Every file read, the script first, in the order read.
    const std::vector<std::string>& filesRead() const { return filesRead_; }

private:
    struct Condition {
        bool enclosingActive;
        bool active;
        bool anyTaken;
        bool sawElse;
        int line;
    };

    void ProcessFile(const std::string& path, const RcToken* includedFrom);
    // Appends `token` to the output, expanding macros of the current definitions.
    void Emit(RcToken token, std::vector<std::string>& expanding);
    void Directive(const RcToken& directive, const std::string& path,
                   std::vector<Condition>& conditions);
    void Include(const RcToken& directive, const std::string& rest, const std::string& path);
    bool Active(const std::vector<Condition>& conditions) const;
    bool EvaluateCondition(const RcToken& directive, const std::string& rest);

    RcSymbols& symbols_;
    FileReader reader_;
    std::vector<RcToken> output_;
    std::vector<std::string> filesRead_;
    int includeDepth_ = 0;
};

// The folder part of `path` with '/' at its end, or "" for a bare name.
std::string FolderOf(const std::string& path);
// A script's file name relative to the including file's folder; backslashes become '/'.
std::string ResolveScriptPath(const std::string& includingFile, const std::string& name);

}  // namespace platform
