// Test support for the control wrappers: a top-level host window that keeps the notifications its
// controls send, and a fixture that creates it at (40, 40) in a fresh window system with the
// screen installed.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/framework/Wnd.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::testing {

class CRecordingHost : public CWnd {
public:
    // The wParam of every WM_COMMAND, oldest first.
    std::vector<WPARAM> commands;
    // Sees every WM_NOTIFY first; true when it handled the notification and set the result.
    std::function<bool(const NMHDR* header, LRESULT* result)> notify;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(wParam);
        return CWnd::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (notify && notify(reinterpret_cast<const NMHDR*>(lParam), pResult)) {
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

class WrapperTest : public ::testing::Test {
protected:
    explicit WrapperTest(int hostWidth = 300, int hostHeight = 300)
        : hostWidth_(hostWidth), hostHeight_(hostHeight) {}

    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        platform::InstallScreen();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 40, 40, hostWidth_,
                                  hostHeight_, nullptr, nullptr));
    }
    void TearDown() override {
        host.DestroyWindow();
        CWnd::DeleteTempMap();
        platform::ResetWindowSystemForTesting();
    }

    CRecordingHost host;

private:
    int hostWidth_;
    int hostHeight_;
};

}  // namespace platform::testing
