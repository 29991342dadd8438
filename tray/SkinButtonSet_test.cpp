#include "tray/SkinButtonSet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"
#include "tray/SnapshotFile.h"
#include "tray/TrayTest.h"

namespace {

TEST(SkinButtonSetTest, ButtonLinesKeepDefaultsForMissingFieldsAndRefuseLongNames) {
    const auto full = CSkinButtonSet::ParseButtonLine("222,150,70,22,1,199,1,data\\b.bmp rest");
    EXPECT_EQ(full.x, 222);
    EXPECT_EQ(full.y, 150);
    EXPECT_EQ(full.width, 70);
    EXPECT_EQ(full.height, 22);
    EXPECT_EQ(full.state, 1);
    EXPECT_EQ(full.shape, 199);
    EXPECT_EQ(full.toggle, 1);
    EXPECT_EQ(full.bitmap, "data\\b.bmp");

    const auto shortLine = CSkinButtonSet::ParseButtonLine("5,6");
    EXPECT_EQ(shortLine.x, 5);
    EXPECT_EQ(shortLine.y, 6);
    EXPECT_EQ(shortLine.width, 100);
    EXPECT_EQ(shortLine.height, 20);
    EXPECT_TRUE(shortLine.bitmap.empty());

    const std::string name(259, 'n');
    EXPECT_EQ(CSkinButtonSet::ParseButtonLine(("0,0,1,1,0,0,0," + name).c_str()).bitmap, name);
    EXPECT_TRUE(
        CSkinButtonSet::ParseButtonLine(("0,0,1,1,0,0,0," + name + "n").c_str()).bitmap.empty());
    // Out-of-range numbers are bounded; a state outside the strip is the normal one.
    const auto wild = CSkinButtonSet::ParseButtonLine("99999999999,0,99999999999,1,7,0,0,a.bmp");
    EXPECT_EQ(wild.x, 1000000);
    EXPECT_EQ(wild.width, 1000000);
    EXPECT_EQ(wild.state, 0);
}

// A set with four buttons on an owner window, 20 x 10 each at x = 10, 40, 70 and 100: a plain
// one, two toggles and a disabled one. What the set posts to its owner reads as "click <index>"
// and "redraw"; a timer of the owner as "timer".
class SkinButtonStateTest : public tray_testing::TrayWindowTest {
protected:
    void SetUp() override {
        TrayWindowTest::SetUp();
        tray_testing::StartTestClock(8);
        ASSERT_TRUE(owner_.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 200, 40, nullptr, nullptr));
        HDC dc = ::CreateCompatibleDC(nullptr);
        HBITMAP strip = ::CreateCompatibleBitmap(dc, 100, 10);
        CString path;
        ASSERT_EQ(SaveBitmapFile(strip, path,
                                 (platform::ToWindowsPath(folder_.path()) + "\\").c_str(), dc),
                  1);
        ::DeleteObject(strip);
        ::DeleteDC(dc);
        set_.Attach(&owner_, 7);
        for (const char* fields : {"10,10,20,10,0,100,0,", "40,10,20,10,0,100,1,",
                                   "70,10,20,10,0,100,1,", "100,10,20,10,3,100,0,"}) {
            ASSERT_EQ(set_.AddButtonLine((fields + std::string(path)).c_str()), 0);
        }
    }
    void TearDown() override {
        owner_.DestroyWindow();
        TrayWindowTest::TearDown();
    }

    std::vector<std::string> Posted() {
        std::vector<std::string> posted;
        MSG msg{};
        while (::PeekMessageA(&msg, owner_.m_hWnd, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_SKIN_BUTTON_CLICK) {
                EXPECT_EQ(msg.lParam, 7);
                posted.push_back("click " + std::to_string(msg.wParam));
            } else if (msg.message == WM_SKIN_BUTTON_REDRAW) {
                posted.push_back("redraw");
            } else if (msg.message == WM_TIMER) {
                posted.push_back("timer");
            }
        }
        return posted;
    }
    int State(int index) const { return set_.button(index).state; }

    platform::testing::TempFolder folder_;
    CWnd owner_;
    CSkinButtonSet set_;
};

using Posts = std::vector<std::string>;

TEST_F(SkinButtonStateTest, APressReleasedOutsideClicksNothingAndEndsAtTheNextMove) {
    // Hover follows the pointer from button to button; no timer watches it.
    EXPECT_EQ(set_.OnMouseMove(15, 15), 0);
    EXPECT_EQ(State(0), CSkinButtonSet::kHover);
    platform::AdvanceTestClock(std::chrono::milliseconds(100));
    EXPECT_EQ(Posted(), Posts{"redraw"});
    set_.OnMouseMove(45, 15);
    EXPECT_EQ(State(0), CSkinButtonSet::kNormal);
    EXPECT_EQ(State(1), CSkinButtonSet::kHover);
    EXPECT_EQ(set_.OnMouseMove(150, 30), 1);
    EXPECT_EQ(State(1), CSkinButtonSet::kNormal);
    EXPECT_EQ(Posted(), (Posts{"redraw", "redraw"}));

    EXPECT_EQ(set_.OnLButtonDown(15, 15), 0);
    EXPECT_EQ(State(0), CSkinButtonSet::kPressed);
    EXPECT_EQ(set_.OnLButtonUp(150, 30), 1);
    EXPECT_EQ(State(0), CSkinButtonSet::kPressed);
    set_.OnMouseMove(151, 30);
    EXPECT_EQ(State(0), CSkinButtonSet::kNormal);
    EXPECT_EQ(Posted(), (Posts{"redraw", "redraw"}));

    // Pressed and released on it: one click, at the release.
    set_.OnLButtonDown(15, 15);
    EXPECT_EQ(Posted(), Posts{"redraw"});
    EXPECT_EQ(set_.OnLButtonUp(16, 16), 0);
    EXPECT_EQ(State(0), CSkinButtonSet::kNormal);
    EXPECT_EQ(Posted(), (Posts{"redraw", "click 0"}));

    // A disabled button takes neither hover nor presses.
    set_.OnMouseMove(105, 15);
    EXPECT_EQ(set_.OnLButtonDown(105, 15), 0);
    EXPECT_EQ(set_.OnLButtonUp(105, 15), 1);
    EXPECT_EQ(State(3), CSkinButtonSet::kDisabled);
    EXPECT_EQ(Posted(), Posts{"redraw"});
}

TEST_F(SkinButtonStateTest, ToggleButtonsClickAtThePressAndOnlyOneStaysOn) {
    EXPECT_EQ(set_.FindToggledButton(), -1);
    EXPECT_EQ(set_.OnLButtonDown(45, 15), 0);
    EXPECT_EQ(State(1), CSkinButtonSet::kToggled);
    EXPECT_EQ(set_.FindToggledButton(), 1);
    EXPECT_EQ(Posted(), (Posts{"click 1", "redraw"}));
    // Its release clicks nothing more, and hovering leaves it on.
    set_.OnLButtonUp(45, 15);
    set_.OnMouseMove(46, 15);
    EXPECT_EQ(State(1), CSkinButtonSet::kToggled);
    EXPECT_EQ(Posted(), Posts{"redraw"});

    set_.OnLButtonDown(75, 15);
    EXPECT_EQ(State(1), CSkinButtonSet::kNormal);
    EXPECT_EQ(State(2), CSkinButtonSet::kToggled);
    EXPECT_EQ(set_.FindToggledButton(), 2);
    EXPECT_EQ(Posted(), (Posts{"click 2", "redraw"}));
}

}  // namespace
