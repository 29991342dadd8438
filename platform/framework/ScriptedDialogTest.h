// Test support for dialogs that run their own modal loop: a dialog that runs the test's script
// once that loop runs, so that the script can click and type into the live dialog and check what
// happened before the dialog ends, and the clicks, keys and texts the scripts use, through the
// input path. The programs' dialog tests drive their dialogs with it.
#pragma once

#include <functional>
#include <string>

#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

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

// Presses and releases the left button `clicks` times at a point of the screen, then handles what
// follows.
inline void ClickAt(POINT screen, int clicks = 1) {
    for (int i = 0; i < clicks; ++i) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, screen);
        InjectMouse(MOUSEEVENTF_LEFTUP, screen);
    }
    PumpUntilIdle();
}

// The screen point in the middle of a control of the dialog.
inline POINT ItemCenter(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

inline void Press(BYTE key) {
    InjectKey(key, true);
    InjectKey(key, false);
    PumpUntilIdle();
}

// The whole text of a control of the dialog.
inline std::string ItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Replaces the control's text, as the user's typing would leave it.
inline void SetItemText(HWND dialog, int id, const std::string& text) {
    SetWindowTextA(GetDlgItem(dialog, id), text.c_str());
    PumpUntilIdle();
}

}  // namespace platform::testing
