#include "platform/framework/AfxMessageBox.h"

#include <gtest/gtest.h>

#include "platform/framework/FrameworkDialogTest.h"
#include "platform/framework/SafeOwner.h"
#include "platform/framework/WinThread.h"
#include "platform/framework/testdata/dialog_ids.h"

namespace {

class MessageBoxTest : public platform::testing::FrameworkDialogTest {
protected:
    void TearDown() override {
        AfxSetThread(nullptr);
        FrameworkDialogTest::TearDown();
    }

    HWND Popup(const char* title, HWND owner = nullptr) {
        return ::CreateWindowExA(0, "Static", title, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, owner,
                                 nullptr, nullptr, nullptr);
    }
    static platform::MessageBoxCall OnlyBox() {
        auto boxes = platform::TakeShownMessageBoxes();
        EXPECT_EQ(boxes.size(), 1u);
        return boxes.empty() ? platform::MessageBoxCall{} : boxes[0];
    }
};

TEST_F(MessageBoxTest, TheApplicationTitleCaptionsEveryBoxWithTheFrameworksIcons) {
    struct Case {
        UINT asked;
        UINT shown;
    };
    for (const Case& c : {Case{MB_OK, MB_OK | MB_ICONEXCLAMATION},
                          Case{MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
                          Case{MB_YESNO, MB_YESNO | MB_ICONQUESTION},
                          Case{MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONQUESTION},
                          Case{MB_RETRYCANCEL, MB_RETRYCANCEL},
                          Case{MB_YESNO | MB_ICONINFORMATION, MB_YESNO | MB_ICONINFORMATION},
                          Case{MB_OK | MB_ICONEXCLAMATION, MB_OK | MB_ICONEXCLAMATION}}) {
        answer = IDNO;
        EXPECT_EQ(AfxMessageBox("你确定要关闭所有网页吗?", c.asked), IDNO);
        const auto box = OnlyBox();
        EXPECT_EQ(box.text, "你确定要关闭所有网页吗?");
        EXPECT_EQ(box.caption, "Quorra浏览器");
        EXPECT_EQ(box.type, c.shown) << c.asked;
    }
}

TEST_F(MessageBoxTest, StringIdsAreLoadedFromTheProgram) {
    answer = IDOK;
    EXPECT_EQ(AfxMessageBox(IDS_SAVED), IDOK);
    EXPECT_EQ(OnlyBox().text, "设置已保存。");
    AfxMessageBox(4711, MB_YESNO);
    const auto missing = OnlyBox();
    EXPECT_EQ(missing.text, "");
    EXPECT_EQ(missing.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST_F(MessageBoxTest, TheOwnerIsTheActiveWindowElseTheMainWindow) {
    HWND main = Popup("main");
    CWnd mainWindow;
    mainWindow.Attach(main);
    app.m_pMainWnd = &mainWindow;
    AfxSetThread(&app);

    ::SetActiveWindow(nullptr);
    AfxMessageBox("a");
    EXPECT_EQ(OnlyBox().owner, main);

    HWND other = Popup("other", main);
    ::SetActiveWindow(other);
    AfxMessageBox("b");
    EXPECT_EQ(OnlyBox().owner, other);

    HWND child = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, other,
                                   nullptr, nullptr, nullptr);
    HWND grandchild = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, child,
                                        nullptr, nullptr, nullptr);
    EXPECT_EQ(platform::SafeOwnerWindow(grandchild), other);
    app.m_pMainWnd = nullptr;
    mainWindow.Detach();
}

TEST_F(MessageBoxTest, AWindowsBoxIsOwnedByItAndKeepsTheCallersCaptionAndType) {
    CWnd window;
    window.Attach(Popup("window"));
    answer = IDYES;
    EXPECT_EQ(window.MessageBox("更改该项设置需重启后生效。"), IDYES);
    auto box = OnlyBox();
    EXPECT_EQ(box.owner, window.m_hWnd);
    EXPECT_EQ(box.caption, "Quorra浏览器");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));

    window.MessageBox("读配置文件出错.", "Deskvane", MB_YESNO);
    box = OnlyBox();
    EXPECT_EQ(box.caption, "Deskvane");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNO));
    window.DestroyWindow();
}

TEST(MessageBoxWithoutApplicationTest, TakesTheSystemCaption) {
    platform::ResetWindowSystemForTesting();
    platform::SetMessageBoxAnswerer([](const platform::MessageBoxCall&) { return IDOK; });
    platform::TakeShownMessageBoxes();
    ASSERT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxMessageBox("x"), IDOK);
    const auto boxes = platform::TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "错误");
    EXPECT_EQ(boxes[0].owner, nullptr);
    platform::SetMessageBoxAnswerer({});
}

}  // namespace
