// Shared set-up of the chrome controls' tests: a fresh window system with a screen and the test
// clock, a skin of distinct colours, and a frame that stands for the main frame and records what
// the controls ask of it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "browser/ChromeHost.h"
#include "browser/MenuEx.h"
#include "browser/SkinColors.h"
#include "platform/drawing/Surface.h"
#include "platform/files/Path.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/TabCtrl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

namespace chrome_test {

inline constexpr COLORREF kToolBackground = RGB(236, 233, 216);
inline constexpr COLORREF kToolText = RGB(10, 20, 30);
inline constexpr COLORREF kTabBackground = RGB(200, 210, 220);
inline constexpr COLORREF kTabText = RGB(1, 2, 3);
inline constexpr COLORREF kTabSelectedBegin = RGB(0, 0, 0);
inline constexpr COLORREF kTabSelectedEnd = RGB(255, 255, 255);
inline constexpr COLORREF kTabSelectedText = RGB(250, 0, 0);
inline constexpr COLORREF kButtonBackground = RGB(180, 200, 240);
inline constexpr COLORREF kStatusBackground = RGB(120, 130, 140);
inline constexpr COLORREF kStatusItemBackground = RGB(230, 240, 250);
inline constexpr COLORREF kStatusItemBorder = RGB(60, 70, 80);
inline constexpr COLORREF kStatusText = RGB(0, 0, 128);
inline constexpr COLORREF kProgress1 = RGB(0, 160, 0);
inline constexpr COLORREF kProgress2 = RGB(250, 250, 200);
inline constexpr COLORREF kMenuLeft = RGB(210, 220, 230);
inline constexpr COLORREF kMenuRight = RGB(252, 252, 249);
inline constexpr COLORREF kMenuText = RGB(0, 0, 0);
inline constexpr COLORREF kMenuSelectedBorder = RGB(10, 36, 106);
inline constexpr COLORREF kMenuSelectedBackground = RGB(182, 189, 210);
inline constexpr COLORREF kMenuSelectedText = RGB(128, 0, 0);

inline std::string Rgb(COLORREF color) {
    return "RGB(" + std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) +
           "," + std::to_string(GetBValue(color)) + ")\r\n";
}

inline std::string SkinFile() {
    std::string text = "[SKIN_CONFIG]\r\n[STYLE]\r\n0\r\n[TOOL_CONFIG]\r\n";
    text += "[BACKGROUND_COLOR]\r\n" + Rgb(kToolBackground) + "[TEXT_COLOR]\r\n" + Rgb(kToolText);
    text += "[PAGELABLE_CONFIG]\r\n[BACKGROUND_COLOR]\r\n" + Rgb(kTabBackground) +
            "[TEXT_COLOR]\r\n" + Rgb(kTabText) + "[BEGIN_SELECTED_BACKGROUND_COLOR]\r\n" +
            Rgb(kTabSelectedBegin) + "[END_SELECTED_BACKGROUND_COLOR]\r\n" + Rgb(kTabSelectedEnd) +
            "[SELECTED_TEXT_COLOR]\r\n" + Rgb(kTabSelectedText) + "[BUTTON_BORDER_COLOR]\r\n" +
            Rgb(0) + "[BUTTON_BACKGROUND_COLOR]\r\n" + Rgb(kButtonBackground);
    // The keys the chrome does not use, present so that the one forward pass reaches the rest.
    for (const char* key : {"[BUTTON_TEXT_COLOR]", "[SELECTED_BUTTON_BORDER_COLOR]",
                            "[SELECTED_BUTTON_BACKGROUND_COLOR]", "[SELECTED_BUTTON_TEXT_COLOR]",
                            "[NEWS_BACKGROUND_COLOR]", "[NEWS_TEXT_COLOR]"}) {
        text += std::string(key) + "\r\n" + Rgb(0);
    }
    text += "[STATUS_CONFIG]\r\n[BACKGROUND_COLOR]\r\n" + Rgb(kStatusBackground) +
            "[ITEM_BACKGROUND_COLOR]\r\n" + Rgb(kStatusItemBackground) + "[ITEM_BORDER_COLOR]\r\n" +
            Rgb(kStatusItemBorder) + "[TEXT_COLOR]\r\n" + Rgb(kStatusText) +
            "[PROGRESS_COLOR_1]\r\n" + Rgb(kProgress1) + "[PROGRESS_COLOR_2]\r\n" + Rgb(kProgress2);
    text += "[MENU_CONFIG]\r\n[BACKGROUND_LEFT]\r\n" + Rgb(kMenuLeft) + "[BACKGROUND_RIGHT]\r\n" +
            Rgb(kMenuRight) + "[TEXT_COLOR]\r\n" + Rgb(kMenuText) + "[SELECTED_BORDER]\r\n" +
            Rgb(kMenuSelectedBorder) + "[SELECTED_BACKGROUND]\r\n" + Rgb(kMenuSelectedBackground) +
            "[SELECTED_TEXT_COLOR]\r\n" + Rgb(kMenuSelectedText);
    return text;
}

// The main frame as the chrome controls see it. MoveTab swaps the two tab texts and selects
// `to`, as the real frame's tab model does; the owner-drawn menus are measured here.
class CHostFrame : public CFrameWnd, public ChromeHost {
public:
    std::vector<std::string> calls;
    // Menu commands and button clicks, by id.
    std::vector<UINT> commands;
    // Run one at a time while a tracked menu waits for input; with none left the menu ends.
    std::deque<std::function<void()>> menuSteps;
    HMENU lastPopup = nullptr;
    CTabCtrl* tabs = nullptr;
    CWnd* addressBox = nullptr;

    int CloseTab(int index) override {
        calls.push_back("CloseTab " + std::to_string(index));
        return 0;
    }
    void MoveTab(int from, int to) override {
        calls.push_back("MoveTab " + std::to_string(from) + " " + std::to_string(to));
        std::string first = TabText(from);
        std::string second = TabText(to);
        SetTabText(from, second);
        SetTabText(to, first);
        tabs->SetCurSel(to);
    }
    void GoToAddress() override {
        CString text;
        addressBox->GetWindowText(text);
        calls.push_back("GoToAddress " + std::string(text));
    }

    std::string TabText(int index) const {
        char text[256] = {};
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        tabs->GetItem(index, &item);
        return text;
    }
    void SetTabText(int index, const std::string& text) {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text.c_str());
        tabs->SetItem(index, &item);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == 0) {
            commands.push_back(LOWORD(wParam));
        }
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message == WM_MEASUREITEM) {
            CMenuEx::OnMeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            *pResult = TRUE;
            return TRUE;
        }
        if (message == WM_ENTERIDLE) {
            if (menuSteps.empty()) {
                ::EndMenu();
            } else {
                auto step = std::move(menuSteps.front());
                menuSteps.pop_front();
                step();
                PostMessage(WM_NULL);
            }
        }
        if (message == WM_INITMENUPOPUP) {
            lastPopup = reinterpret_cast<HMENU>(wParam);
            CMenuEx::OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                     LOWORD(lParam), HIWORD(lParam));
        }
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class ChromeTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        platform::InstallScreen();
        platform::UseTestClock({2026, 3, 0, 2, 10, 0, 0, 0});
        folder_.WriteFile("skin.ini", SkinFile());
        Skin().Load(platform::ToWindowsPath(folder_.path() / "skin.ini").c_str());
        AfxRegisterFrameworkClasses();
        frame = new CHostFrame;
        ASSERT_TRUE(
            frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(20, 20, 620, 420)));
    }
    void TearDown() override {
        if (::IsWindow(frame->m_hWnd)) {
            frame->DestroyWindow();
        }
        CWnd::DeleteTempMap();
        platform::ResetWindowSystemForTesting();
        platform::UseRealClock();
    }

    static COLORREF PixelAt(const CWnd& window, int x, int y) {
        return PixelIn(platform::CaptureScreen(), window, x, y);
    }
    // For loops over many pixels: one capture, read many times.
    static COLORREF PixelIn(const platform::Surface& shot, const CWnd& window, int x, int y) {
        POINT point{x, y};
        window.ClientToScreen(&point);
        return platform::ColorFromPixel(shot.At(point.x, point.y));
    }
    // How many pixels of the window's client rectangle `area` have the colour.
    static int CountColor(const CWnd& window, const CRect& area, COLORREF color) {
        platform::Surface shot = platform::CaptureScreen();
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += PixelIn(shot, window, x, y) == color;
            }
        }
        return count;
    }
    static void Tick(int milliseconds) {
        platform::AdvanceTestClock(std::chrono::milliseconds(milliseconds));
        platform::PumpUntilIdle();
    }
    static POINT ScreenPoint(const CWnd& window, int x, int y) {
        POINT point{x, y};
        window.ClientToScreen(&point);
        return point;
    }

    platform::testing::TempFolder folder_;
    CHostFrame* frame = nullptr;
};

}  // namespace chrome_test
