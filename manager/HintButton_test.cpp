#include "manager/HintButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/ManagerTest.h"

namespace manager_testing {
namespace {

class CHintRecorder : public CHintSink {
public:
    std::vector<std::string> hints;
    void SetHint(const char* text) override { hints.emplace_back(text); }
};

class HintButtonTest : public ManagerDialogTest {
protected:
    void SetUp() override {
        ManagerDialogTest::SetUp();
        ASSERT_TRUE(host.CreateEx(0, AFX_WND_CLASS, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  300, 200, nullptr, nullptr));
        ASSERT_TRUE(button.Create("保  存", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                  CRect(10, 10, 70, 30), &host, 1021));
        button.Init(&sink, "保存计划", nullptr, 80, 24);
    }
    void TearDown() override {
        host.DestroyWindow();
        ManagerDialogTest::TearDown();
    }
    POINT Inside() {
        CRect rect;
        button.GetWindowRect(&rect);
        return rect.CenterPoint();
    }

    CWnd host;
    CHintButton button;
    CHintRecorder sink;
};

TEST_F(HintButtonTest, HoverShowsTheHintAndTheLeaveTimerRestoresTheNormalLook) {
    // Init resized the button where it stands.
    CRect rect;
    button.GetWindowRect(&rect);
    host.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 10, 90, 34));

    platform::InjectMouse(0, Inside());
    platform::PumpUntilIdle();
    EXPECT_EQ(button.GetLook(), CHintButton::kHover);
    EXPECT_EQ(sink.hints, std::vector<std::string>{"保存计划"});
    // The mouse leaves without a move reaching the button: the timer notices within 100 ms.
    ::SetCursorPos(250, 150);
    platform::AdvanceTestClock(std::chrono::milliseconds(99));
    platform::PumpUntilIdle();
    EXPECT_EQ(button.GetLook(), CHintButton::kHover);
    platform::AdvanceTestClock(std::chrono::milliseconds(1));
    platform::PumpUntilIdle();
    EXPECT_EQ(button.GetLook(), CHintButton::kNormal);
    EXPECT_EQ(sink.hints, (std::vector<std::string>{"保存计划", ""}));

    // Pressed, and dragged out while pressed.
    platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, Inside());
    platform::PumpUntilIdle();
    EXPECT_EQ(button.GetLook(), CHintButton::kPressed);
    platform::InjectMouse(0, POINT{250, 150});
    platform::PumpUntilIdle();
    EXPECT_EQ(button.GetLook(), CHintButton::kNormal);
    platform::InjectMouse(MOUSEEVENTF_LEFTUP, POINT{250, 150});
    platform::PumpUntilIdle();
}

}  // namespace
}  // namespace manager_testing
