// Test support: a script engine that keeps every text of its trace and reads variables back.
#pragma once

#include <string>
#include <vector>

#include "picture/ScriptEngine.h"

namespace picture::testing {

class CScriptTestEngine : public CScriptEngine {
public:
    std::vector<std::string> traces;

    void Trace(const char* text) override { traces.emplace_back(text); }

    int RunScript(const std::string& script) {
        Init(CString(std::string_view(script)));
        return Run();
    }
    // The variable's value; "" when it has no slot.
    std::string Value(const std::string& name) {
        const ScriptVariable* variable = Find(name);
        return variable != nullptr ? std::string(variable->value.view()) : std::string();
    }
    ScriptVariable* Find(const std::string& name) { return FindVariable(name); }
};

}  // namespace picture::testing
