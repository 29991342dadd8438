// The tray companion's compiled resources, loaded back as the framework loads them: exact ids,
// texts, control kinds, styles and sizes, the tray menu's tree, the template string and the icon.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/drawing/ResourceImages.h"
#include "platform/resources/ResourceApi.h"
#include "resources/dvtp/resource.h"
#include "resources/testing/ResourceChecks.h"

namespace platform {
namespace {

using namespace resource_checks;

constexpr DWORD kIdOk = 1;
constexpr DWORD kIdCancel = 2;
constexpr DWORD kChild = 0x40000000;
constexpr DWORD kPopup = 0x80000000;
constexpr DWORD kBorder = 0x00800000;
constexpr DWORD kDialogFrame = 0x00400000;
constexpr DWORD kCaption = 0x00C00000;
constexpr DWORD kSysMenu = 0x00080000;
constexpr DWORD kThickFrame = 0x00040000;
constexpr DWORD kMaximizeBox = 0x00010000;
constexpr DWORD kMinimizeBox = 0x00020000;
constexpr DWORD kVScroll = 0x00200000;
constexpr DWORD kHScroll = 0x00100000;
constexpr DWORD kStaticEdge = 0x00020000;
constexpr DWORD kButtonType = 0xF;
constexpr DWORD kDefPush = 0x1;
constexpr DWORD kPush = 0x0;
constexpr DWORD kOwnerDraw = 0xB;
constexpr DWORD kDropDownList = 0x3;
constexpr DWORD kComboType = 0x3;
// The dialogs' font, 9-point 宋体, measures 6 x 12 pixels.
constexpr DialogBaseUnits kSongTi9{6, 12};

void ExpectSize(const DialogTemplate& dialog, int cx, int cy) {
    EXPECT_EQ(dialog.cx, cx) << dialog.caption;
    EXPECT_EQ(dialog.cy, cy) << dialog.caption;
}

TEST(DvtpDialogsTest, ReminderPopupIsABorderlessPopupWithTheSnoozeList) {
    DialogTemplate popup = Dialog(IDD_REMINDER_POPUP);
    EXPECT_EQ(IDD_REMINDER_POPUP, 131);
    EXPECT_TRUE(popup.style & kPopup);
    EXPECT_EQ(popup.style & (kCaption | kBorder | kDialogFrame | kThickFrame), 0u);
    EXPECT_TRUE(popup.caption.empty());
    ExpectSize(popup, 127, 57);
    ExpectSongTi9(popup);
    ASSERT_EQ(popup.controls.size(), 2u);

    const DialogControl& apply = Control(popup, 1000, "Button", "Button1");
    EXPECT_TRUE(IsHidden(apply));
    EXPECT_EQ(apply.style & kButtonType, kPush);
    const DialogControl& list = Control(popup, 1001, "ComboBox", "");
    EXPECT_FALSE(IsHidden(list));
    EXPECT_EQ(list.style & kComboType, kDropDownList);
    EXPECT_EQ(list.cx, 73);
    EXPECT_EQ(list.cy, 106);
}

TEST(DvtpDialogsTest, SnoozeListStartsWithItsSixChoicesInOrder) {
    std::optional<std::vector<DialogInitEntry>> init =
        LoadDialogInit(nullptr, MAKEINTRESOURCE(IDD_REMINDER_POPUP));
    ASSERT_TRUE(init);
    std::vector<DialogInitEntry> expected;
    for (const char* text : {"我知道了", "5分钟后再次提示", "10分钟后再次提示", "30分钟后再次提示",
                             "1小时后再次提示", "2小时后再次提示"}) {
        expected.push_back({1001, kDialogInitComboBoxAddString, std::string(text) + '\0'});
    }
    EXPECT_EQ(*init, expected);

    // No other dialog has initial items that its code would then add a second time.
    for (int id :
         {IDD_SHUTDOWN_COUNTDOWN, IDD_CAPTURE_OVERLAY, IDD_CAPTURE_RESULT, IDD_PREVIEW_PANE}) {
        std::optional<std::vector<DialogInitEntry>> none =
            LoadDialogInit(nullptr, MAKEINTRESOURCE(id));
        EXPECT_TRUE(!none || none->empty()) << id;
    }
}

TEST(DvtpDialogsTest, ShutdownCountdownHasBothAnswersAndTheWarning) {
    DialogTemplate countdown = Dialog(IDD_SHUTDOWN_COUNTDOWN);
    EXPECT_EQ(IDD_SHUTDOWN_COUNTDOWN, 135);
    EXPECT_EQ(countdown.caption, "关机提示框");
    EXPECT_TRUE(countdown.style & kPopup);
    EXPECT_TRUE(countdown.style & kCaption);
    ExpectSongTi9(countdown);
    ASSERT_EQ(countdown.controls.size(), 3u);
    const DialogControl& ok = Control(countdown, kIdOk, "Button", "我知道了");
    EXPECT_EQ(ok.style & kButtonType, kDefPush);
    EXPECT_EQ(Control(countdown, kIdCancel, "Button", "取消关机").style & kButtonType, kPush);
    const DialogControl& text =
        Control(countdown, 1002, "Static", "关机时间到,将在30秒后自动关机.");
    EXPECT_FALSE(IsHidden(text));
    // The countdown later writes "系统将在 29 秒后关机" into the same static.
    EXPECT_GE(text.cx, 8 * 8 + 4 * 4);
}

TEST(DvtpDialogsTest, CaptureOverlayHidesItsButtonAndStatic) {
    DialogTemplate overlay = Dialog(IDD_CAPTURE_OVERLAY);
    EXPECT_EQ(IDD_CAPTURE_OVERLAY, 136);
    EXPECT_TRUE(overlay.style & kPopup);
    EXPECT_EQ(overlay.style & kCaption, 0u);
    ExpectSize(overlay, 210, 86);
    ExpectSongTi9(overlay);
    ASSERT_EQ(overlay.controls.size(), 2u);
    EXPECT_TRUE(IsHidden(Control(overlay, kIdOk, "Button", "OK")));
    EXPECT_TRUE(IsHidden(Control(overlay, 1004, "Static", "")));
}

TEST(DvtpDialogsTest, CaptureResultIsResizableWithFourOwnerDrawnButtons) {
    DialogTemplate result = Dialog(IDD_CAPTURE_RESULT);
    EXPECT_EQ(IDD_CAPTURE_RESULT, 137);
    EXPECT_EQ(result.caption, "截屏管理");
    ExpectSize(result, 521, 345);
    ExpectSongTi9(result);
    for (DWORD style : {kPopup, kCaption, kSysMenu, kThickFrame, kMaximizeBox}) {
        EXPECT_TRUE(result.style & style) << std::hex << style;
    }
    EXPECT_FALSE(result.style & kMinimizeBox);
    ASSERT_EQ(result.controls.size(), 5u);

    struct Expected {
        DWORD id;
        const char* text;
    };
    for (Expected button : {Expected{1009, "截取全屏"}, Expected{1010, "截取指定窗口"},
                            Expected{1011, "截取指定区域"}, Expected{1017, "关闭"}}) {
        const DialogControl& control = Control(result, button.id, "Button", button.text);
        EXPECT_FALSE(IsHidden(control)) << button.id;
        EXPECT_EQ(control.style & kButtonType, kOwnerDraw) << button.id;
        // In pixels: inside the 60-pixel band above the preview and clear of the description,
        // which is drawn from y 45.
        EXPECT_LT(DialogUnitsToPixelsY(control.y + control.cy, kSongTi9), 45) << button.id;
        EXPECT_GT(DialogUnitsToPixelsY(control.y, kSongTi9), 0) << button.id;
    }
    EXPECT_TRUE(IsHidden(Control(result, 1013, "Static", "")));
}

TEST(DvtpDialogsTest, PreviewPaneIsAScrollingChildWithAStaticEdge) {
    DialogTemplate pane = Dialog(IDD_PREVIEW_PANE);
    EXPECT_EQ(IDD_PREVIEW_PANE, 145);
    EXPECT_TRUE(pane.style & kChild);
    EXPECT_FALSE(pane.style & kPopup);
    EXPECT_FALSE(pane.style & kCaption);
    EXPECT_TRUE(pane.style & kHScroll);
    EXPECT_TRUE(pane.style & kVScroll);
    EXPECT_EQ(pane.exStyle & kStaticEdge, kStaticEdge);
    ExpectSize(pane, 194, 115);
    EXPECT_TRUE(pane.controls.empty());
}

// Every control, hidden ones too, lies inside its dialog and no visible ones overlap.
TEST(DvtpDialogsTest, LayoutsStayInsideTheirDialogsWithoutOverlaps) {
    for (int id : {IDD_REMINDER_POPUP, IDD_SHUTDOWN_COUNTDOWN, IDD_CAPTURE_OVERLAY,
                   IDD_CAPTURE_RESULT, IDD_PREVIEW_PANE})
        ExpectInsideWithoutOverlaps(Dialog(id), id);
}

// Texts fit their controls in the dialog font, 宋体 9 pt.
TEST(DvtpDialogsTest, TextsFitTheirControls) {
    for (int id : {IDD_SHUTDOWN_COUNTDOWN, IDD_CAPTURE_RESULT})
        ExpectTextsFit(Dialog(id), id);
}

// --- Tray menu ---

bool HasDefaultItem(const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if ((item.flags & MF_DEFAULT) || HasDefaultItem(item.children))
            return true;
    }
    return false;
}

TEST(DvtpMenuTest, TrayMenuIsTheOnePopupTpmenu) {
    std::optional<MenuTemplate> menu = LoadMenuTemplate(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items.size(), 1u);
    const MenuItem& tray = menu->items[0];
    EXPECT_EQ(tray.text, "tpmenu");
    EXPECT_TRUE(tray.flags & MF_POPUP);

    // The CD-drive menus go right after "屏捕", which the frame finds by its exact text.
    ASSERT_EQ(tray.children.size(), 7u);
    EXPECT_EQ(ItemTexts(tray.children),
              (std::vector<std::string>{"显示下一个计划", "", "屏捕", "老板键", "", "打开管理中心",
                                        "退出"}));
    struct Expected {
        size_t position;
        DWORD id;
    };
    for (Expected item :
         {Expected{0, 32783}, Expected{3, 32791}, Expected{5, 32778}, Expected{6, 32796}}) {
        const MenuItem& command = tray.children[item.position];
        EXPECT_EQ(command.id, item.id) << command.text;
        EXPECT_EQ(command.flags & (MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED), 0u)
            << command.text;
    }
    EXPECT_TRUE(tray.children[1].flags & MF_SEPARATOR);
    EXPECT_TRUE(tray.children[4].flags & MF_SEPARATOR);

    const MenuItem& capture = tray.children[2];
    ASSERT_TRUE(capture.flags & MF_POPUP);
    ASSERT_EQ(capture.children.size(), 3u);
    EXPECT_EQ(ItemTexts(capture.children),
              (std::vector<std::string>{"捕捉整 个屏幕", "捕捉指定窗口", "捕捉指定区域"}));
    EXPECT_EQ(capture.children[0].id, 32787u);
    EXPECT_EQ(capture.children[1].id, 32786u);
    EXPECT_EQ(capture.children[2].id, 32788u);

    // Without a CD drive the menu shows no bold item; the frame sets one only with a drive.
    EXPECT_FALSE(HasDefaultItem(menu->items));
}

// --- Strings and icon ---

TEST(DvtpStringsTest, TemplateStringTitlesTheFrameDeskvaneTP) {
    std::optional<std::string> text = LoadResourceString(nullptr, IDR_MAINFRAME);
    ASSERT_TRUE(text);
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = text->find('\n', start)) != std::string::npos; start = end + 1)
        fields.push_back(text->substr(start, end - start));
    fields.push_back(text->substr(start));
    ASSERT_EQ(fields.size(), 7u);
    EXPECT_EQ(fields[0], "DeskvaneTP");
    // An empty document name keeps the framework from putting one before the title.
    EXPECT_EQ(fields[1], "");

    char title[32] = {};
    EXPECT_EQ(LoadStringA(nullptr, 0xE000, title, sizeof title), 10);
    EXPECT_STREQ(title, "DeskvaneTP");
}

std::uint16_t Word16(std::span<const std::uint8_t> bytes, size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

TEST(DvtpIconTest, IconHoldsTheTrayAndTheDialogSizes) {
    std::optional<std::span<const std::uint8_t>> icon =
        FindResourceBytes(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_TRUE(icon);
    ASSERT_GE(icon->size(), 6u + 2 * 16);
    EXPECT_EQ(Word16(*icon, 0), 0);
    EXPECT_EQ(Word16(*icon, 2), 1);
    ASSERT_EQ(Word16(*icon, 4), 2);
    std::vector<int> sizes;
    for (size_t entry = 0; entry < 2; ++entry) {
        const size_t at = 6 + entry * 16;
        EXPECT_EQ((*icon)[at], (*icon)[at + 1]) << "square";
        sizes.push_back((*icon)[at]);
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));

    HICON loaded = LoadIconA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_NE(loaded, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(loaded, &info));
    BITMAP colour{};
    ASSERT_NE(GetObjectA(info.hbmColor, sizeof colour, &colour), 0);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    HANDLE small = LoadImageA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON, 16, 16, 0);
    ASSERT_NE(small, nullptr);
    ICONINFO smallInfo{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(small), &smallInfo));
    BITMAP smallColour{};
    ASSERT_NE(GetObjectA(smallInfo.hbmColor, sizeof smallColour, &smallColour), 0);
    EXPECT_EQ(smallColour.bmWidth, 16);
    DeleteObject(smallInfo.hbmColor);
    DeleteObject(smallInfo.hbmMask);
    DestroyIcon(static_cast<HICON>(small));
}

}  // namespace
}  // namespace platform
