// The #define table of a resource script: object-like macros kept as their token lists, expanded
// when an expression reads them. Function-like macros are remembered as defined (for #ifdef) but
// cannot be expanded.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/resources/RcToken.h"

namespace platform {

class RcSymbols {
public:
    struct Macro {
        std::vector<RcToken> body;
        bool functionLike = false;
    };

    void Define(const std::string& name, Macro macro) { macros_[name] = std::move(macro); }
    void Undefine(const std::string& name) { macros_.erase(name); }
    // A #define of its own, not a built-in name.
    const Macro* Find(const std::string& name) const;
    // Defined by the script or built in.
    bool IsKnown(const std::string& name) const;

private:
    std::map<std::string, Macro> macros_;
};

}  // namespace platform
