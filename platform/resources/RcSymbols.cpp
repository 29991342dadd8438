#include "platform/resources/RcSymbols.h"

#include "platform/resources/RcBuiltinSymbols.h"

namespace platform {

const RcSymbols::Macro* RcSymbols::Find(const std::string& name) const {
    auto found = macros_.find(name);
    return found == macros_.end() ? nullptr : &found->second;
}

bool RcSymbols::IsKnown(const std::string& name) const {
    return Find(name) != nullptr || FindBuiltinSymbol(name).has_value();
}

}  // namespace platform
