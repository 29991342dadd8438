// Test support for dialogs that run their own modal loop: a dialog that runs the test's script
// once that loop runs, so that the script can click and type into the live dialog and check what
// happened before the dialog ends. The programs' dialog tests drive their dialogs with it.
#pragma once

#include <functional>

#include "platform/windows/WindowApi.h"

namespace platform::testing {

inline constexpr UINT kRunScript = WM_APP + 77;

template <class Dialog>
class ScriptedDialog : public Dialog {
public:
    using Dialog::Dialog;

    std::function<void(ScriptedDialog&)> script;

    BOOL OnInitDialog() override {
        const BOOL result = Dialog::OnInitDialog();
        this->PostMessage(kRunScript);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRunScript) {
            if (script) {
                script(*this);
            }
            return 0;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }
};

}  // namespace platform::testing
