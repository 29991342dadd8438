#include "platform/controls/ToolTip.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/screen/ScreenApi.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

using std::chrono::milliseconds;

class ToolTipTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterToolTipClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 300});
        host_ = Child(parent_, 7, RECT{10, 10, 110, 40});
        tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, parent_, nullptr, nullptr, nullptr);
        ASSERT_NE(tip_, nullptr);
        Log().Answer(WM_NOTIFY, [this](HWND hwnd, WPARAM, LPARAM lParam) -> LRESULT {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            notes_.push_back(Note{hwnd, info->hdr.hwndFrom, info->hdr.idFrom, info->hdr.code});
            if (info->hdr.code == TTN_GETDISPINFOA) {
                noteParam_ = info->lParam;
                info->lpszText = nullptr;
                std::snprintf(info->szText, sizeof(info->szText), "asked %d", ++asked_);
                info->uFlags |= setItem_ ? TTF_DI_SETITEM : 0;
            }
            return 0;
        });
    }

    void AddTool(UINT flags, UINT_PTR id, RECT rect, const char* text, LPARAM param = 0) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = flags;
        tool.hwnd = host_;
        tool.uId = id;
        tool.rect = rect;
        tool.lpszText = const_cast<char*>(text);
        tool.lParam = param;
        ASSERT_TRUE(SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
    }
    std::string TextOf(UINT_PTR id) {
        char text[80] = {};
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = host_;
        tool.uId = id;
        tool.lpszText = text;
        SendMessageA(tip_, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    // Moves the mouse to a point of the host's client area.
    void MoveTo(POINT client, HWND window = nullptr) {
        ClientToScreen(window != nullptr ? window : host_, &client);
        InjectMouse(0, client);
        PumpUntilIdle();
    }
    static void Wait(int ms) {
        AdvanceTestClock(milliseconds(ms));
        PumpUntilIdle();
    }
    bool Shown() const { return IsWindowVisible(tip_) != FALSE; }
    std::vector<UINT> CodesTo(HWND hwnd) const {
        std::vector<UINT> codes;
        for (const Note& note : notes_) {
            if (note.to == hwnd) {
                codes.push_back(note.code);
            }
        }
        return codes;
    }

    struct Note {
        HWND to;
        HWND from;
        UINT_PTR id;
        UINT code;
    };
    HWND parent_ = nullptr;
    HWND host_ = nullptr;
    HWND tip_ = nullptr;
    std::vector<Note> notes_;
    LPARAM noteParam_ = 0;
    int asked_ = 0;
    bool setItem_ = false;
};

TEST_F(ToolTipTest, HoverShowsTheTipAfterTheInitialDelayAndPopsItLater) {
    AddTool(TTF_SUBCLASS, 1, RECT{0, 0, 50, 30}, "hello");
    EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
    EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);
    MoveTo(POINT{20, 10});
    Wait(499);
    EXPECT_FALSE(Shown());
    Wait(1);
    ASSERT_TRUE(Shown());
    RECT rect{};
    GetWindowRect(tip_, &rect);
    // Below the cursor at (130, 120) by the cursor's height.
    EXPECT_EQ(rect.left, 130);
    EXPECT_EQ(rect.top, 140);
    EXPECT_EQ(CodesTo(host_), std::vector<UINT>{TTN_SHOW});
    EXPECT_EQ(notes_.front().from, tip_);
    EXPECT_EQ(notes_.front().id, 1U);

    Wait(4999);
    EXPECT_TRUE(Shown());
    Wait(1);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(CodesTo(host_), (std::vector<UINT>{TTN_SHOW, TTN_POP}));
    // Popped by time, it stays away while the mouse rests on the same tool.
    MoveTo(POINT{21, 10});
    Wait(1000);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, LeavingTheToolOrClickingHidesTheTip) {
    AddTool(TTF_SUBCLASS, 1, RECT{0, 0, 50, 30}, "hello");
    AddTool(TTF_SUBCLASS, 2, RECT{50, 0, 100, 30}, "other");
    MoveTo(POINT{20, 10});
    Wait(500);
    ASSERT_TRUE(Shown());
    // Straight to the neighbouring tool: the next tip comes after the shorter reshow delay.
    MoveTo(POINT{60, 10});
    EXPECT_FALSE(Shown());
    Wait(100);
    EXPECT_TRUE(Shown());

    POINT point{60, 10};
    ClientToScreen(host_, &point);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
    PumpUntilIdle();
    EXPECT_FALSE(Shown());
    InjectMouse(MOUSEEVENTF_LEFTUP, point);
    MoveTo(POINT{61, 11});
    Wait(1000);
    EXPECT_FALSE(Shown());

    // Out of the host window altogether: only the watch timer can tell.
    MoveTo(POINT{20, 10});
    Wait(500);
    ASSERT_TRUE(Shown());
    MoveTo(POINT{300, 150}, parent_);
    Wait(100);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, CallbackTextComesFromTheToolWindow) {
    AddTool(0, 3, RECT{0, 0, 50, 30}, LPSTR_TEXTCALLBACKA, 0x55);
    EXPECT_EQ(TextOf(3), "asked 1");
    EXPECT_EQ(TextOf(3), "asked 2");
    ASSERT_FALSE(notes_.empty());
    EXPECT_EQ(notes_.back().to, host_);
    EXPECT_EQ(notes_.back().code, TTN_GETDISPINFOA);
    EXPECT_EQ(notes_.back().id, 3U);
    EXPECT_EQ(noteParam_, 0x55);
    setItem_ = true;
    EXPECT_EQ(TextOf(3), "asked 3");
    // With TTF_DI_SETITEM the answer is kept and the owner is not asked again.
    EXPECT_EQ(TextOf(3), "asked 3");
}

TEST_F(ToolTipTest, RelayedMessagesWorkWithoutSubclassing) {
    AddTool(0, 1, RECT{0, 0, 50, 30}, "relayed");
    const auto original = GetWindowLongPtrA(host_, GWLP_WNDPROC);
    POINT point{10, 10};
    ClientToScreen(host_, &point);
    SetCursorPos(point.x, point.y);
    MSG msg{host_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, point};
    SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    Wait(500);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(GetWindowLongPtrA(host_, GWLP_WNDPROC), original);

    SendMessageA(tip_, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(Shown());
    msg.lParam = MAKELPARAM(11, 10);
    SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    Wait(1000);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, ToolsCanBeRetextedMovedAndDeleted) {
    const auto original = GetWindowLongPtrA(host_, GWLP_WNDPROC);
    AddTool(TTF_SUBCLASS, 1, RECT{0, 0, 50, 30}, "before");
    AddTool(0, 2, RECT{50, 0, 100, 30}, "two");
    EXPECT_NE(GetWindowLongPtrA(host_, GWLP_WNDPROC), original);
    EXPECT_EQ(SendMessageA(tip_, TTM_GETTOOLCOUNT, 0, 0), 2);

    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = host_;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>("after");
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(TextOf(1), "after");

    tool.rect = RECT{0, 0, 5, 5};
    SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    MoveTo(POINT{20, 10});
    Wait(1000);
    EXPECT_FALSE(Shown());

    SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(SendMessageA(tip_, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(TextOf(1), "");
    EXPECT_EQ(TextOf(2), "two");
    EXPECT_EQ(GetWindowLongPtrA(host_, GWLP_WNDPROC), original);

    TOOLINFOA tooShort{};
    tooShort.cbSize = 8;
    EXPECT_FALSE(SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tooShort)));
}

TEST_F(ToolTipTest, AWholeWindowToolAndCentredTip) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_CENTERTIP;
    tool.hwnd = parent_;
    tool.uId = reinterpret_cast<UINT_PTR>(host_);
    tool.lpszText = const_cast<char*>("whole");
    ASSERT_TRUE(SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
    MoveTo(POINT{95, 25});
    Wait(500);
    ASSERT_TRUE(Shown());
    RECT rect{};
    GetWindowRect(tip_, &rect);
    // Centred under the host, which spans x 110..210 and ends at y 140 on the screen.
    EXPECT_EQ((rect.left + rect.right) / 2, 160);
    EXPECT_EQ(rect.top, 142);
    ASSERT_FALSE(notes_.empty());
    EXPECT_EQ(notes_.front().to, parent_);
}

TEST_F(ToolTipTest, TrackingTipsStayWhereTheyArePut) {
    AddTool(TTF_TRACK | TTF_ABSOLUTE, 1, RECT{}, "tracked");
    SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 250));
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = host_;
    tool.uId = 1;
    SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ASSERT_TRUE(Shown());
    RECT rect{};
    GetWindowRect(tip_, &rect);
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 250);
    SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(320, 260));
    GetWindowRect(tip_, &rect);
    EXPECT_EQ(rect.left, 320);
    Wait(20000);
    EXPECT_TRUE(Shown());
    SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, DelaysAndWidthAreAdjustable) {
    SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(50, 0));
    EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 50);
    SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(1000, 0));
    EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
    EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 200);
    SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(-1, 0));
    EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 200), -1);
    EXPECT_EQ(SendMessageA(tip_, TTM_GETMAXTIPWIDTH, 0, 0), 200);
}

TEST_F(ToolTipTest, PopupShowsAtOnceAndPopHides) {
    AddTool(TTF_SUBCLASS, 1, RECT{0, 0, 50, 30}, "now");
    POINT point{20, 10};
    ClientToScreen(host_, &point);
    SetCursorPos(point.x, point.y);
    SendMessageA(tip_, TTM_POPUP, 0, 0);
    EXPECT_TRUE(Shown());
    SendMessageA(tip_, TTM_POP, 0, 0);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, TheTipIsDrawnInTheInfoColours) {
    InstallScreen();
    AddTool(TTF_SUBCLASS, 1, RECT{0, 0, 50, 30}, "colours");
    MoveTo(POINT{20, 10});
    Wait(500);
    ASSERT_TRUE(Shown());
    RECT rect{};
    GetWindowRect(tip_, &rect);
    Surface screen = CaptureScreen();
    EXPECT_EQ(ColorFromPixel(screen.At(rect.left, rect.top)), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ColorFromPixel(screen.At(rect.left + 1, rect.top + 1)), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(ColorFromPixel(screen.At(rect.right - 1, rect.bottom - 1)),
              GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_GT(rect.right - rect.left, 20);
}

}  // namespace
}  // namespace platform
