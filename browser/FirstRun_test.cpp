#include "browser/FirstRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser/StartUpTest.h"
#include "common/AppFolder.h"

namespace {

const char kWelcome[] =
    "欢迎使用Quorra浏览器\r\n\r\n您是第一次启动此版本\r\n点击“是”，进行参数设置\r\n"
    "点击“否”，不进行参数设置，您可以在以后的时间进行参数设置\r\n\r\n现在就进行参数设置吗？";

// A frame that notes the timer messages its own procedure sees and the commands it gets.
class CWelcomeFrame : public CWnd {
public:
    BOOL Create() {
        return CreateEx(0, AFX_WND_CLASS, "frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                        nullptr);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER) {
            timers.push_back(static_cast<int>(wParam));
        }
        if (message == WM_COMMAND) {
            commands.push_back(LOWORD(wParam));
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<int> timers;
    std::vector<int> commands;
};

class FirstRunTest : public browser_testing::StartUpTest {
protected:
    void SetUp() override {
        StartUpTest::SetUp();
        GetAppFolder();
        ASSERT_TRUE(frame.Create());
    }
    void TearDown() override {
        frame.DestroyWindow();
        StartUpTest::TearDown();
    }

    CWelcomeFrame frame;
};

TEST_F(FirstRunTest, AMissingMarkerIsCreatedEmptyAndTheQuestionComes200MillisecondsLater) {
    EXPECT_TRUE(CFirstRun::Check(frame));
    ASSERT_TRUE(Exists("data/first.dat"));
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "data/first.dat"), 0u);

    Wait(190);
    EXPECT_TRUE(TakeQuestions().empty());
    Wait(10);
    const std::vector<platform::MessageBoxCall> calls = platform::TakeShownMessageBoxes();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, kWelcome);
    EXPECT_EQ(calls[0].type, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(calls[0].owner, frame.m_hWnd);
    EXPECT_TRUE(frame.timers.empty());
}

TEST_F(FirstRunTest, YesOpensTheOptionsOnceAndTheTimerStops) {
    answer = IDYES;
    CFirstRun::Check(frame);
    Wait(1000);
    EXPECT_EQ(frame.commands, std::vector<int>{1022});
    EXPECT_EQ(TakeQuestions().size(), 1u);
}

TEST_F(FirstRunTest, NoSetsNothing) {
    answer = IDNO;
    CFirstRun::Check(frame);
    Wait(400);
    EXPECT_TRUE(frame.commands.empty());
    EXPECT_EQ(TakeQuestions().size(), 1u);
}

TEST_F(FirstRunTest, AnExistingMarkerMeansNoQuestion) {
    folder.WriteFile("data/first.dat", "");
    EXPECT_FALSE(CFirstRun::Check(frame));
    Wait(400);
    EXPECT_TRUE(TakeQuestions().empty());
    EXPECT_TRUE(frame.timers.empty());
}

TEST_F(FirstRunTest, OnlyTheFirstStartAsks) {
    EXPECT_TRUE(CFirstRun::Check(frame));
    EXPECT_FALSE(CFirstRun::Check(frame));
}

TEST_F(FirstRunTest, AMarkerThatCannotBeMadeStillAsksAndAsksAgainNextTime) {
    std::filesystem::remove_all(folder.path() / "data");
    EXPECT_TRUE(CFirstRun::Check(frame));
    EXPECT_FALSE(Exists("data/first.dat"));
    Wait(200);
    EXPECT_EQ(TakeQuestions(), std::vector<std::string>{kWelcome});
    EXPECT_TRUE(CFirstRun::Check(frame));
}

}  // namespace
