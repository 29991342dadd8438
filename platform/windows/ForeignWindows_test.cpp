#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class RecordingPort : public ForeignWindowPort {
public:
    bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        calls.push_back("post " + Describe(hwnd, message, wParam, lParam));
        return true;
    }
    LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        calls.push_back("send " + Describe(hwnd, message, wParam, lParam));
        return 55;
    }
    void Show(HWND hwnd, int command) override {
        calls.push_back("show " + std::string(hwnd == expected ? "it " : "other ") +
                        std::to_string(command));
    }
    void Position(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) override {
        calls.push_back("position " + std::string(hwnd == expected ? "it " : "other ") +
                        std::to_string(reinterpret_cast<INT_PTR>(after)) + " " + std::to_string(x) +
                        "," + std::to_string(y) + " " + std::to_string(cx) + "x" +
                        std::to_string(cy) + " " + std::to_string(flags));
    }
    void SetForeground(HWND hwnd) override {
        calls.push_back(std::string("foreground ") + (hwnd == expected ? "it" : "other"));
    }

    HWND expected = nullptr;
    std::vector<std::string> calls;

private:
    std::string Describe(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
        return std::string(hwnd == expected ? "it " : "other ") + std::to_string(message) + " " +
               std::to_string(wParam) + " " + std::to_string(lParam);
    }
};

class ForeignWindowsTest : public WindowTest {
protected:
    std::shared_ptr<RecordingPort> port_ = std::make_shared<RecordingPort>();
};

ForeignWindowState TrayState() {
    ForeignWindowState state;
    state.processId = 4242;
    state.className = "Afx:400000:0";
    state.title = "DeskvaneTP";
    state.style = WS_OVERLAPPEDWINDOW;
    state.exStyle = WS_EX_TOOLWINDOW;
    state.rect = RECT{0, 0, 200, 100};
    return state;
}

TEST_F(ForeignWindowsTest, MessagesAndCommandsGoToThePortNotToAQueue) {
    HWND tray = AddForeignWindow(TrayState(), port_);
    port_->expected = tray;
    EXPECT_EQ(FindWindowA(nullptr, "deskvanetp"), tray);
    DWORD process = 0;
    EXPECT_EQ(GetWindowThreadProcessId(tray, &process), 0u);
    EXPECT_EQ(process, 4242u);
    EXPECT_TRUE(PostMessageA(tray, 1030, 0, 0));
    EXPECT_EQ(SendMessageA(tray, WM_SYSCOMMAND, SC_RESTORE, 0), 55);
    EXPECT_FALSE(ShowWindow(tray, SW_SHOWNORMAL));
    SetWindowPos(tray, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(SetForegroundWindow(tray));
    EXPECT_EQ(port_->calls,
              (std::vector<std::string>{"post it 1030 0 0", "send it 274 61728 0", "show it 1",
                                        "position it -1 0,0 0x0 3", "foreground it"}));
    // Nothing changed here until the link reports it.
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_FALSE(GetWindowLongA(tray, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(SetWindowTextA(tray, "renamed"));
    EXPECT_FALSE(DestroyWindow(tray));
    EXPECT_EQ(PumpUntilIdle(), 0);
}

TEST_F(ForeignWindowsTest, ReportedStateIsWhatEnumerationTextAndHitTestingSee) {
    HWND own = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 300, 300}, "own");
    ForeignWindowState state = TrayState();
    state.title = "Deskvane - \xB9\xDC\xC0\xED\xD6\xD0\xD0\xC4";
    state.style |= WS_VISIBLE;
    HWND manager = AddForeignWindow(state, port_);
    EXPECT_EQ(GetWindow(own, GW_HWNDFIRST), manager);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), manager);
    char title[64];
    EXPECT_EQ(GetWindowTextA(manager, title, sizeof(title)), GetWindowTextLengthA(manager));
    EXPECT_EQ(std::string(title), state.title);

    state.style |= WS_MINIMIZE;
    state.rect = RECT{-32000, -32000, -31840, -31976};
    EXPECT_TRUE(UpdateForeignWindow(manager, state, HWND_BOTTOM));
    EXPECT_TRUE(IsIconic(manager));
    EXPECT_EQ(GetWindow(own, GW_HWNDLAST), manager);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), own);

    // Mouse input never reaches another process's window.
    state.rect = RECT{0, 0, 300, 300};
    state.style &= ~static_cast<DWORD>(WS_MINIMIZE);
    UpdateForeignWindow(manager, state, HWND_TOP);
    PumpUntilIdle();
    Log().Clear();
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{20, 20});
    PumpUntilIdle();
    EXPECT_TRUE(Log().Of(WM_LBUTTONDOWN).empty());

    state.exStyle |= WS_EX_TOPMOST;
    UpdateForeignWindow(manager, state);
    HWND newer = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "newer");
    EXPECT_EQ(GetWindow(newer, GW_HWNDFIRST), manager);
    EXPECT_TRUE(GetWindowLongA(manager, GWL_EXSTYLE) & WS_EX_TOPMOST);

    EXPECT_TRUE(RemoveForeignWindow(manager));
    EXPECT_FALSE(IsWindow(manager));
    EXPECT_FALSE(RemoveForeignWindow(own));
    EXPECT_FALSE(UpdateForeignWindow(own, state));
}

}  // namespace
}  // namespace platform::testing
