#include "browser/AboutDlg.h"

#include <gtest/gtest.h>

#include <string>

#include "browser/StartUpTest.h"

namespace {

using browser_testing::StartUpTest;

std::string TextOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Notes what the live dialog shows, then presses Enter as a user would.
class CInspectedAboutDlg : public CAboutDlg {
public:
    BOOL OnInitDialog() override {
        initResult = CAboutDlg::OnInitDialog();
        caption = TextOf(m_hWnd);
        version = TextOf(::GetDlgItem(m_hWnd, kVersionStatic));
        boundVersion = m_version.m_hWnd == ::GetDlgItem(m_hWnd, kVersionStatic);
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            texts += TextOf(child) + "|";
        }
        PostMessage(kPressEnter);
        return initResult;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kPressEnter) {
            platform::InjectKey(VK_RETURN, true);
            platform::InjectKey(VK_RETURN, false);
            return 0;
        }
        return CAboutDlg::WindowProc(message, wParam, lParam);
    }

    static constexpr UINT kPressEnter = WM_APP + 1;

    BOOL initResult = FALSE;
    std::string caption;
    std::string version;
    bool boundVersion = false;
    std::string texts = "|";
};

class AboutDlgTest : public StartUpTest {};

TEST_F(AboutDlgTest, ShowsTheNameWithTheVersionAndClosesWithOk) {
    CInspectedAboutDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.initResult);
    EXPECT_EQ(dialog.caption, "关于 Quorra浏览器");
    EXPECT_EQ(dialog.version, "Quorra浏览器 V1.80");
    EXPECT_TRUE(dialog.boundVersion);
    EXPECT_NE(dialog.texts.find("|内核使用 Microsoft Internet Explorer技术|"), std::string::npos)
        << dialog.texts;
    EXPECT_NE(dialog.texts.find("|确定|"), std::string::npos) << dialog.texts;
}

}  // namespace
