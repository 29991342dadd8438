#include "platform/framework/StatusBar.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/testdata/bars.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

static void PrintTo(const CRect& rect, std::ostream* out) {
    *out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

int TextWidth(const char* text) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return size.cx;
}

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::UseTestClock(SYSTEMTIME{2024, 3, 0, 15, 9, 0, 0, 0});
        platform::ResetWindowSystemForTesting();
        frame_ = new CFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        ASSERT_TRUE(bar_.Create(frame_));
    }
    void TearDown() override {
        bar_.DestroyWindow();
        frame_->DestroyWindow();
        platform::ResetWindowSystemForTesting();
        platform::UseRealClock();
    }
    CRect PaneRect(int index) const {
        CRect rect;
        bar_.GetItemRect(index, &rect);
        return rect;
    }
    // What the control shows in a pane, and its drawing type.
    CString Shown(int index, UINT* type = nullptr) const {
        char text[256] = {};
        const auto result =
            static_cast<DWORD>(bar_.SendMessage(SB_GETTEXT, index, reinterpret_cast<LPARAM>(text)));
        if (type != nullptr) {
            *type = HIWORD(result);
        }
        return text;
    }
    void SetThreePanes() {
        const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_PROGRESS, ID_INDICATOR_SIZE};
        ASSERT_TRUE(bar_.SetIndicators(ids, 3));
        frame_->RecalcLayout();
    }

    CFrameWnd* frame_ = nullptr;
    CStatusBar bar_;
};

TEST_F(StatusBarTest, PanesAreAsWideAsTheirStringsAndTheFirstTakesTheRest) {
    SetThreePanes();
    CRect client;
    bar_.GetClientRect(&client);
    const int progress = TextWidth("________________") + 6;
    const int size = TextWidth(" (1234,5678) ") + 6;
    EXPECT_EQ(PaneRect(2), CRect(client.right - size, 2, client.right, client.bottom));
    EXPECT_EQ(PaneRect(1),
              CRect(client.right - size - 2 - progress, 2, client.right - size - 2, client.bottom));
    EXPECT_EQ(PaneRect(0), CRect(0, 2, PaneRect(1).left - 2, client.bottom));

    EXPECT_EQ(bar_.GetPaneStyle(0), static_cast<UINT>(SBPS_STRETCH | SBPS_NOBORDERS));
    EXPECT_EQ(bar_.GetPaneStyle(1), static_cast<UINT>(SBPS_NORMAL));
    EXPECT_STREQ(bar_.GetPaneText(1), "________________");
    EXPECT_STREQ(Shown(2), " (1234,5678) ");
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    bar_.GetPaneInfo(2, id, style, width);
    EXPECT_EQ(id, static_cast<UINT>(ID_INDICATOR_SIZE));
    EXPECT_EQ(width, size - 6);
    EXPECT_EQ(bar_.CommandToIndex(ID_INDICATOR_PROGRESS), 1);
    EXPECT_EQ(bar_.CommandToIndex(ID_INDICATOR_MISSING), -1);

    // A wider frame widens only the stretching pane.
    const int before = PaneRect(0).Width();
    frame_->MoveWindow(0, 0, 740, 480);
    EXPECT_EQ(PaneRect(0).Width(), before + 100);
    EXPECT_EQ(PaneRect(2).Width(), size);
}

TEST_F(StatusBarTest, AnIndicatorWithoutAStringFailsAndGetsAnEmptyPane) {
    const UINT ids[] = {ID_INDICATOR_SIZE, ID_INDICATOR_MISSING};
    EXPECT_FALSE(bar_.SetIndicators(ids, 2));
    EXPECT_EQ(bar_.GetCount(), 2);
    UINT id = 0;
    UINT style = 0;
    int width = -1;
    bar_.GetPaneInfo(1, id, style, width);
    EXPECT_EQ(width, 0);
    EXPECT_STREQ(bar_.GetPaneText(1), "");
    EXPECT_FALSE(bar_.SetIndicators(nullptr, 2));
    EXPECT_FALSE(bar_.SetIndicators(ids, -1));
    EXPECT_FALSE(bar_.SetPaneText(5, "x"));
}

TEST_F(StatusBarTest, PaneInfoSetsWidthStretchAndDrawingType) {
    SetThreePanes();
    bar_.SetPaneInfo(0, ID_SEPARATOR, SBPS_NORMAL, 100);
    bar_.SetPaneInfo(2, ID_INDICATOR_SIZE, SBPS_STRETCH | SBPS_POPOUT, 10);
    EXPECT_EQ(PaneRect(0), CRect(0, 2, 106, PaneRect(0).bottom));
    CRect client;
    bar_.GetClientRect(&client);
    EXPECT_EQ(PaneRect(2).right, client.right);
    EXPECT_EQ(PaneRect(2).left, PaneRect(1).right + 2);
    UINT type = 0;
    Shown(2, &type);
    EXPECT_EQ(type, static_cast<UINT>(SBT_POPOUT));
    Shown(1, &type);
    EXPECT_EQ(type, 0u);
}

TEST_F(StatusBarTest, ADisabledPaneKeepsItsTextButShowsNone) {
    SetThreePanes();
    ASSERT_TRUE(bar_.SetPaneText(2, " (800,600) "));
    bar_.SetPaneStyle(2, SBPS_DISABLED);
    EXPECT_STREQ(Shown(2), "");
    EXPECT_STREQ(bar_.GetPaneText(2), " (800,600) ");
    bar_.SetPaneStyle(2, SBPS_NORMAL);
    EXPECT_STREQ(Shown(2), " (800,600) ");
    // Text set without an update shows later.
    bar_.SetPaneText(1, "载入中", FALSE);
    EXPECT_STREQ(Shown(1), "________________");
}

TEST_F(StatusBarTest, TheWindowTextIsTheFirstSeparatorPaneOrElsePaneZero) {
    const UINT ids[] = {ID_INDICATOR_SIZE, ID_SEPARATOR};
    bar_.SetIndicators(ids, 2);
    bar_.SetWindowText("完成");
    EXPECT_STREQ(bar_.GetPaneText(1), "完成");
    EXPECT_STREQ(Shown(1), "完成");
    CString text;
    bar_.GetWindowText(text);
    EXPECT_STREQ(text, "完成");
    EXPECT_EQ(bar_.GetWindowTextLength(), 4);

    const UINT noSeparator[] = {ID_INDICATOR_PROGRESS, ID_INDICATOR_SIZE};
    bar_.SetIndicators(noSeparator, 2);
    bar_.SetWindowText("网页");
    EXPECT_STREQ(bar_.GetPaneText(0), "网页");
    EXPECT_STREQ(bar_.GetPaneText(1), " (1234,5678) ");
}

}  // namespace
