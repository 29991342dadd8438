#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dialogs/DialogTest.h"
#include "platform/dialogs/MessageBoxButtons.h"
#include "platform/dialogs/MessageBoxLayout.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"

namespace platform::testing {
namespace {

class MessageBoxTest : public DialogTest {
protected:
    // Runs `action` from inside the box's modal loop: the owner gets WM_APP once the box is up.
    static int AskWhile(HWND owner, const char* text, UINT type, std::function<void(HWND)> action) {
        HelperAction() = [action] { action(GetActiveWindow()); };
        PostMessageA(owner, WM_APP, 0, 0);
        return MessageBoxA(owner, text, "标题", type);
    }
    static void Tap(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
    }
    static std::string Text(HWND hwnd) {
        char text[64] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }
};

TEST_F(MessageBoxTest, TheAnswererAnswersAndEveryBoxIsRecorded) {
    HWND owner = Helper();
    std::vector<std::string> asked;
    SetMessageBoxAnswerer([&](const MessageBoxCall& call) {
        asked.push_back(call.text);
        return call.type & MB_YESNO ? IDNO : IDOK;
    });
    EXPECT_EQ(MessageBoxA(owner, "你确定要关闭所有网页吗?", "Quorra浏览器", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "读配置文件出错.", nullptr, MB_OK | MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(asked.size(), 2u);
    // Nothing was shown.
    EXPECT_EQ(FindWindowA(nullptr, "Quorra浏览器"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));

    const auto boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, "你确定要关闭所有网页吗?");
    EXPECT_EQ(boxes[0].caption, "Quorra浏览器");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(boxes[0].result, IDNO);
    EXPECT_EQ(boxes[1].owner, nullptr);
    EXPECT_EQ(boxes[1].caption, "错误");
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[1].result, IDOK);
    EXPECT_TRUE(TakeShownMessageBoxes().empty());
}

// Without a display nobody could answer: the box goes to the standard error and closes itself.
TEST(MessageBoxWithoutDisplay, WritesTheBoxAndAnswersAsClosingItWould) {
    struct Case {
        UINT type;
        int answer;
    } cases[] = {{MB_OK, IDOK},
                 {MB_OKCANCEL, IDCANCEL},
                 {MB_YESNO, IDNO},
                 {MB_YESNOCANCEL, IDCANCEL},
                 {MB_ABORTRETRYIGNORE, IDIGNORE},
                 {0x0F, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        MessageBoxCall call;
        call.caption = "Quorra浏览器";
        call.text = "无法保存\r\n设置";
        call.type = c.type | MB_ICONWARNING;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(AnswerWithoutDisplay(call), c.answer);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "Quorra\xE6\xB5\x8F\xE8\xA7\x88\xE5\x99\xA8: "
                  "\xE6\x97\xA0\xE6\xB3\x95\xE4\xBF\x9D\xE5\xAD\x98\r\n"
                  "\xE8\xAE\xBE\xE7\xBD\xAE\n");
    }
}

TEST_F(MessageBoxTest, AnUnknownButtonSetFailsWithoutAsking) {
    bool asked = false;
    SetMessageBoxAnswerer([&](const MessageBoxCall&) {
        asked = true;
        return IDOK;
    });
    SetLastError(0);
    EXPECT_EQ(MessageBoxA(nullptr, "x", "y", 7), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
    EXPECT_FALSE(asked);
    EXPECT_TRUE(TakeShownMessageBoxes().empty());
}

TEST(MessageBoxButtons, SetsTextsDefaultsAndCancelAnswers) {
    auto ids = [](UINT type) {
        std::vector<int> list;
        const auto buttons = MessageBoxButtons::For(type);
        for (const MessageBoxButton& button : buttons.value()) {
            list.push_back(button.id);
        }
        return list;
    };
    EXPECT_EQ(ids(MB_OK), std::vector<int>{IDOK});
    EXPECT_EQ(ids(MB_OKCANCEL), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(ids(MB_ABORTRETRYIGNORE), (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
    EXPECT_EQ(ids(MB_YESNOCANCEL | MB_ICONQUESTION), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(ids(MB_YESNO | MB_TOPMOST), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(ids(MB_RETRYCANCEL), (std::vector<int>{IDRETRY, IDCANCEL}));
    EXPECT_EQ(ids(MB_CANCELTRYCONTINUE), (std::vector<int>{IDCANCEL, IDTRYAGAIN, IDCONTINUE}));
    EXPECT_FALSE(MessageBoxButtons::For(0xF).has_value());

    const auto yesNo = *MessageBoxButtons::For(MB_YESNOCANCEL);
    EXPECT_STREQ(yesNo[0].text, "是(&Y)");
    EXPECT_STREQ(yesNo[1].text, "否(&N)");
    EXPECT_STREQ(yesNo[2].text, "取消");
    EXPECT_STREQ((*MessageBoxButtons::For(MB_OK))[0].text, "确定");

    EXPECT_EQ(MessageBoxButtons::DefaultIndex(MB_YESNO, 2), 0u);
    EXPECT_EQ(MessageBoxButtons::DefaultIndex(MB_YESNO | MB_DEFBUTTON2, 2), 1u);
    EXPECT_EQ(MessageBoxButtons::DefaultIndex(MB_YESNO | MB_DEFBUTTON3, 2), 0u);
    EXPECT_EQ(MessageBoxButtons::DefaultIndex(MB_YESNOCANCEL | MB_DEFBUTTON3, 3), 2u);

    EXPECT_EQ(MessageBoxButtons::CancelResult(*MessageBoxButtons::For(MB_OK)), IDOK);
    EXPECT_EQ(MessageBoxButtons::CancelResult(*MessageBoxButtons::For(MB_OKCANCEL)), IDCANCEL);
    EXPECT_EQ(MessageBoxButtons::CancelResult(*MessageBoxButtons::For(MB_YESNO)), 0);
    EXPECT_EQ(MessageBoxButtons::CancelResult(*MessageBoxButtons::For(MB_ABORTRETRYIGNORE)), 0);
}

TEST(MessageBoxLayout, PlacesIconTextAndButtons) {
    // A short line beside the icon is centred on it; the text is wider than the two buttons.
    MessageBoxLayout layout = MessageBoxLayout::Compute(SIZE{120, 12}, true, 2);
    EXPECT_EQ(layout.icon.left, 12);
    EXPECT_EQ(layout.icon.top, 12);
    EXPECT_EQ(layout.icon.right, 44);
    EXPECT_EQ(layout.icon.bottom, 44);
    EXPECT_EQ(layout.text.left, 56);
    EXPECT_EQ(layout.text.top, 22);
    EXPECT_EQ(layout.text.right, 176);
    EXPECT_EQ(layout.client.cx, 188);
    EXPECT_EQ(layout.client.cy, 93);
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0].left, 16);
    EXPECT_EQ(layout.buttons[0].top, 58);
    EXPECT_EQ(layout.buttons[0].right, 91);
    EXPECT_EQ(layout.buttons[0].bottom, 81);
    EXPECT_EQ(layout.buttons[1].left, 97);

    // Without an icon the text starts at the margin; three buttons set the width.
    layout = MessageBoxLayout::Compute(SIZE{30, 36}, false, 3);
    EXPECT_EQ(layout.icon.right - layout.icon.left, 0);
    EXPECT_EQ(layout.text.left, 12);
    EXPECT_EQ(layout.text.top, 12);
    EXPECT_EQ(layout.client.cx, 3 * 75 + 2 * 6 + 24);
    EXPECT_EQ(layout.buttons[0].left, 12);
    EXPECT_EQ(layout.buttons[2].right, 12 + 237);
    EXPECT_EQ(layout.buttons[0].top, 12 + 36 + 14);
    EXPECT_EQ(layout.client.cy, 62 + 23 + 12);
    EXPECT_EQ(MessageBoxLayout::MaxTextWidth(1024), 640);
}

TEST_F(MessageBoxTest, ARealBoxIsADialogWithTheSystemButtons) {
    HWND owner = Helper();
    HWND box = nullptr;
    const int result =
        AskWhile(owner, "更改该项设置需重启后生效。", MB_YESNO | MB_DEFBUTTON2, [&](HWND active) {
            box = active;
            char name[16] = {};
            GetClassNameA(active, name, sizeof name);
            EXPECT_STREQ(name, "#32770");
            EXPECT_EQ(Text(active), "标题");
            EXPECT_EQ(GetWindow(active, GW_OWNER), owner);
            EXPECT_FALSE(IsWindowEnabled(owner));
            EXPECT_EQ(Text(GetDlgItem(active, IDYES)), "是(&Y)");
            EXPECT_EQ(Text(GetDlgItem(active, IDNO)), "否(&N)");
            EXPECT_EQ(GetFocus(), GetDlgItem(active, IDNO));
            EXPECT_EQ(SendMessageA(active, DM_GETDEFID, 0, 0), MAKELRESULT(IDNO, DC_HASDEFID));
            Tap(VK_RETURN);
        });
    EXPECT_EQ(result, IDNO);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(IsWindowEnabled(owner));
    const auto boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].result, IDNO);
}

TEST_F(MessageBoxTest, EscapeIsIgnoredWithoutCancelAndMnemonicsAnswer) {
    HWND owner = Helper();
    const int result = AskWhile(owner, "你真的要删除吗?", MB_YESNO | MB_ICONEXCLAMATION, [](HWND) {
        Tap(VK_ESCAPE);
        Tap('N');
    });
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(AskWhile(owner, "ok", MB_OK, [](HWND) { Tap(VK_ESCAPE); }), IDOK);
    EXPECT_EQ(AskWhile(owner, "retry", MB_RETRYCANCEL,
                       [](HWND box) { SendMessageA(box, WM_CLOSE, 0, 0); }),
              IDCANCEL);
}

TEST_F(MessageBoxTest, AClickOnAButtonAnswers) {
    HWND owner = Helper();
    const int result = AskWhile(owner, "click", MB_OKCANCEL, [](HWND box) {
        RECT rect{};
        GetWindowRect(GetDlgItem(box, IDCANCEL), &rect);
        const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        InjectMouse(MOUSEEVENTF_LEFTDOWN, centre);
        InjectMouse(MOUSEEVENTF_LEFTUP, centre);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// The caption's close box closes the box as Esc does: a press and a release on it.
TEST_F(MessageBoxTest, TheCloseBoxOfTheCaptionAnswersCancel) {
    HWND owner = Helper();
    const int result = AskWhile(owner, "close", MB_OKCANCEL, [](HWND box) {
        RECT frame{};
        GetWindowRect(box, &frame);
        // A modal frame is 3 pixels wide; the close box ends 2 pixels inside the caption bar.
        const POINT centre{frame.right - 3 - 2 - 8, frame.top + 3 + 2 + 7};
        EXPECT_EQ(SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCLOSE);
        InjectMouse(MOUSEEVENTF_LEFTDOWN, centre);
        InjectMouse(MOUSEEVENTF_LEFTUP, centre);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MessageBoxTest, TheBoxIsSizedToItsTextAndDrawsIconAndText) {
    InstallScreen();
    HWND owner = Helper();
    const char* text = "网页个数己超过最大限制";
    AskWhile(owner, text, MB_OK | MB_ICONHAND | MB_TOPMOST, [&](HWND box) {
        PumpUntilIdle();
        EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
        // Eleven two-byte characters of the 12-pixel font make a 132 x 12 line.
        const MessageBoxLayout layout = MessageBoxLayout::Compute(SIZE{132, 12}, true, 1);
        RECT client{};
        GetClientRect(box, &client);
        EXPECT_EQ(client.right, layout.client.cx);
        EXPECT_EQ(client.bottom, layout.client.cy);
        RECT button{};
        GetWindowRect(GetDlgItem(box, IDOK), &button);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&button), 2);
        EXPECT_EQ(button.left, layout.buttons[0].left);
        EXPECT_EQ(button.top, layout.buttons[0].top);

        POINT origin{0, 0};
        ClientToScreen(box, &origin);
        Surface screen = CaptureScreen();
        auto colour = [&](int x, int y) {
            return ColorFromPixel(screen.At(origin.x + x, origin.y + y));
        };
        EXPECT_EQ(colour(2, 2), GetSysColor(COLOR_3DFACE));
        // The stop icon's red disc, left of its white cross.
        EXPECT_EQ(colour(layout.icon.left + 5, layout.icon.top + 16), RGB(255, 0, 0));
        EXPECT_EQ(colour(layout.icon.left + 16, layout.icon.top + 16), RGB(255, 255, 255));
        int ink = 0;
        for (int y = layout.text.top; y < layout.text.bottom; ++y) {
            for (int x = layout.text.left; x < layout.text.right; ++x) {
                ink += colour(x, y) == GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 100);
        // For a person to look at: the box as the screen shows it.
        const std::filesystem::path folder(PROJECT_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(WriteWindowPng(box, folder / "dialogs-message-box.png"));
        Tap(VK_RETURN);
    });
    const auto boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].result, IDOK);
}

TEST_F(MessageBoxTest, WithoutAButtonClassTheBoxFails) {
    UnregisterClassA("Button", nullptr);
    EXPECT_EQ(MessageBoxA(nullptr, "x", "no buttons", MB_OK), 0);
    EXPECT_EQ(FindWindowA(nullptr, "no buttons"), nullptr);
}

}  // namespace
}  // namespace platform::testing
