// What the dialog tests share: a fresh window system with the standard controls, message boxes
// answered and recorded, an application whose title comes from the test resources, and keys
// typed through the input path.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/framework/WinApp.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::testing {

class FrameworkDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        RegisterButtonClass();
        RegisterEditClass();
        RegisterComboBoxClass();
        RegisterListBoxClass();
        RegisterStaticClass();
        SetMessageBoxAnswerer([this](const MessageBoxCall&) { return answer; });
        TakeShownMessageBoxes();
        app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
    }
    void TearDown() override {
        SetMessageBoxAnswerer({});
        ResetWindowSystemForTesting();
    }

    static void Press(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
        PumpUntilIdle();
    }
    static void PressWithShift(BYTE key) {
        InjectKey(VK_SHIFT, true);
        Press(key);
        InjectKey(VK_SHIFT, false);
        PumpUntilIdle();
    }
    static std::string Text(HWND hwnd) {
        char buffer[256] = {};
        GetWindowTextA(hwnd, buffer, sizeof(buffer));
        return buffer;
    }

    int answer = IDOK;
    CWinApp app;
};

}  // namespace platform::testing
