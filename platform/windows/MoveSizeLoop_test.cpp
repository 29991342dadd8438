#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class MoveSizeLoopTest : public WindowTest {
protected:
    // Presses the left button at `from`; once the loop runs, moves through `steps` and lets go
    // at the last one (or presses Esc first).
    static void Drag(POINT from, std::vector<POINT> steps, bool escape = false) {
        Log().Answer(WM_ENTERSIZEMOVE, [steps, escape](HWND, WPARAM, LPARAM) -> LRESULT {
            for (POINT step : steps) {
                InjectMouse(0, step);
            }
            if (escape) {
                InjectKey(VK_ESCAPE, true);
            }
            InjectMouse(MOUSEEVENTF_LEFTUP, steps.back());
            return 0;
        });
        InjectMouse(0, from);
        InjectMouse(MOUSEEVENTF_LEFTDOWN, from);
        PumpUntilIdle();
    }
    // Left, top, right, bottom.
    static std::vector<LONG> Rect(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        return {rect.left, rect.top, rect.right, rect.bottom};
    }
    static std::vector<UINT> Bracket(const std::vector<LoggedMessage>& entries) {
        std::vector<UINT> seen;
        for (const LoggedMessage& entry : entries) {
            if (entry.message == WM_ENTERSIZEMOVE || entry.message == WM_EXITSIZEMOVE ||
                entry.message == WM_MOVE) {
                seen.push_back(entry.message);
            }
        }
        return seen;
    }
};

TEST_F(MoveSizeLoopTest, CaptionDragMovesTheWindowWithTheCursor) {
    HWND top = TopLevel();
    PumpUntilIdle();
    Log().Clear();
    Drag(POINT{200, 110}, {POINT{220, 120}, POINT{260, 150}});
    EXPECT_EQ(Rect(top), (std::vector<LONG>{160, 140, 560, 440}));
    // The queued moves fold into one; no mouse message reaches the window meanwhile.
    EXPECT_EQ(Bracket(Log().Entries()),
              (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_MOVE, WM_EXITSIZEMOVE}));
    EXPECT_TRUE(Log().Of(WM_MOUSEMOVE).empty());
    EXPECT_TRUE(Log().Of(WM_LBUTTONUP).empty());
    EXPECT_EQ(GetCapture(), nullptr);

    Drag(POINT{300, 150}, {POINT{250, 100}, POINT{100, 0}}, true);
    EXPECT_EQ(Rect(top), (std::vector<LONG>{160, 140, 560, 440}));
}

TEST_F(MoveSizeLoopTest, BorderDragSizesDownToTheSmallestFrame) {
    HWND top = TopLevel();
    PumpUntilIdle();
    Drag(POINT{499, 399}, {POINT{529, 419}});
    EXPECT_EQ(Rect(top), (std::vector<LONG>{100, 100, 530, 420}));
    // Past the opposite edge the frame stops at its smallest: frame, caption and two caption
    // heights of width.
    Drag(POINT{100, 250}, {POINT{900, 250}});
    std::vector<LONG> rect = Rect(top);
    EXPECT_EQ(rect[2], 530);
    EXPECT_EQ(rect[2] - rect[0], 2 * 4 + 2 * 19);
    Drag(POINT{rect[0] + 20, 100}, {POINT{rect[0] + 20, 800}});
    rect = Rect(top);
    EXPECT_EQ(rect[3] - rect[1], 2 * 4 + 19);
}

TEST_F(MoveSizeLoopTest, FixedAndMaximisedWindowsStay) {
    HWND dialog = TopLevel(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {100, 100, 300, 200});
    PumpUntilIdle();
    Drag(POINT{299, 199}, {POINT{350, 250}});
    EXPECT_EQ(Rect(dialog), (std::vector<LONG>{100, 100, 300, 200}));
    Drag(POINT{150, 105}, {POINT{170, 125}});
    EXPECT_EQ(Rect(dialog), (std::vector<LONG>{120, 120, 320, 220}));

    HWND big = TopLevel();
    ShowWindow(big, SW_MAXIMIZE);
    PumpUntilIdle();
    const std::vector<LONG> maximised = Rect(big);
    Drag(POINT{200, 5}, {POINT{260, 60}});
    EXPECT_EQ(Rect(big), maximised);
}

}  // namespace
}  // namespace platform::testing
