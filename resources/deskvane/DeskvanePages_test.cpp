// The desktop manager's dialogs built into real windows from the compiled resources, as its
// pages and dialogs create them: every template control becomes a window with its visibility,
// the combos no code fills start with their items, and the pages look right on screen (pictures
// are left in the test output folder).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlClasses.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/resources/ResourceApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"
#include "platform/windows/WindowTest.h"
#include "resources/deskvane/resource.h"

namespace platform {
namespace {

constexpr DWORD kNoId = 0xFFFF;

INT_PTR CALLBACK PageProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

class DeskvanePagesTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        RegisterControlClasses();
    }

    // The dialog as its owner creates it: a child page inside a host window that stands in for
    // the main window, a pop-up dialog on its own.
    HWND Build(int id) {
        std::optional<DialogTemplate> dialog = LoadDialogTemplate(nullptr, MAKEINTRESOURCE(id));
        EXPECT_TRUE(dialog);
        HWND parent = nullptr;
        if (dialog && (dialog->style & WS_CHILD)) {
            parent = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 1000, 700});
        }
        return CreateDialogParamA(nullptr, MAKEINTRESOURCE(id), parent, PageProcedure, 0);
    }

    // Destroys the dialog with its host, so that the next one shows on an empty screen.
    static void Close(HWND dialog) {
        HWND host = GetParent(dialog);
        DestroyWindow(dialog);
        if (host != nullptr)
            DestroyWindow(host);
    }

    static std::vector<std::string> ComboItems(HWND dialog, int id) {
        HWND combo = GetDlgItem(dialog, id);
        std::vector<std::string> items;
        if (combo == nullptr)
            return items;
        const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }
};

// The about page's browser needs the framework's control container, which its own tests cover.
TEST_F(DeskvanePagesTest, EveryDialogBuildsWithEveryTemplateControl) {
    const int dialogs[] = {
        IDD_MAIN,         IDD_PLAN_EDIT,     IDD_CD_KEYS,      IDD_CALENDAR, IDD_SYSTEM_TOOLS,
        IDD_PLAN_QUERY,   IDD_MONTH_PICKER,  IDD_OPTIONS,      IDD_SHUTDOWN, IDD_BACKUP,
        IDD_PROCESSES,    IDD_HOTKEY_PICKER, IDD_SCREENSHOT,   IDD_BOSS_KEY, IDD_LEDGER_DETAIL,
        IDD_LEDGER_ENTRY, IDD_LEDGER,        IDD_DATE_PICKER,  IDD_LOOKUP,   IDD_POST_CODE,
        IDD_MOBILE,       IDD_ID_CARD,       IDD_IDIOM,        IDD_DIARY,    IDD_NEW_USER,
        IDD_LOGIN,        IDD_NOTE_EDITOR,   IDD_ADDRESS_BOOK,
    };
    for (int id : dialogs) {
        HWND dialog = Build(id);
        ASSERT_NE(dialog, nullptr) << id;
        std::optional<DialogTemplate> resource = LoadDialogTemplate(nullptr, MAKEINTRESOURCE(id));
        for (const DialogControl& control : resource->controls) {
            if (control.id == kNoId)
                continue;
            HWND window = GetDlgItem(dialog, static_cast<int>(control.id));
            ASSERT_NE(window, nullptr) << id << "/" << control.id;
            const bool visible = GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE;
            EXPECT_EQ(visible, (control.style & WS_VISIBLE) != 0) << id << "/" << control.id;
        }
        Close(dialog);
    }
}

TEST_F(DeskvanePagesTest, CombosStartWithTheirInitialItems) {
    HWND book = Build(IDD_ADDRESS_BOOK);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(ComboItems(book, IDC_GROUP),
              (std::vector<std::string>{"所有分组", "家人", "好友", "同事", "其他"}));
    EXPECT_EQ(ComboItems(book, IDC_CALENDAR_KIND), (std::vector<std::string>{"国历", "农历"}));
    std::vector<std::string> months = ComboItems(book, IDC_BIRTH_MONTH);
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months.front(), "1");
    EXPECT_EQ(months.back(), "12");
    std::vector<std::string> days = ComboItems(book, IDC_BIRTH_DAY);
    ASSERT_EQ(days.size(), 31u);
    EXPECT_EQ(days[9], "10");
    EXPECT_EQ(days.back(), "31");

    HWND backup = Build(IDD_BACKUP);
    EXPECT_EQ(ComboItems(backup, IDC_WEEKDAY),
              (std::vector<std::string>{"星期日", "星期一", "星期二", "星期三", "星期四", "星期五",
                                        "星期六"}));
    EXPECT_TRUE(ComboItems(backup, IDC_DAILY_HOUR).empty());

    HWND entry = Build(IDD_LEDGER_ENTRY);
    EXPECT_EQ(ComboItems(entry, IDC_ENTRY_TYPE), (std::vector<std::string>{"收入", "支出"}));

    HWND editor = Build(IDD_NOTE_EDITOR);
    std::vector<std::string> sizes = ComboItems(editor, IDC_SIZE);
    EXPECT_EQ(sizes, (std::vector<std::string>{"8", "9", "10", "11", "12", "14", "16", "18", "20",
                                               "22", "24", "26", "28", "36", "48", "72"}));
    EXPECT_TRUE(ComboItems(editor, IDC_FACE).empty());
}

// Every visible control lies inside the client area in pixels too, and the pages draw.
TEST_F(DeskvanePagesTest, PagesShowEveryVisibleControlInsideTheirClientArea) {
    const std::filesystem::path folder =
        std::filesystem::path(PROJECT_TEST_OUTPUT_DIR) / "deskvane";
    std::filesystem::create_directories(folder);
    for (int id : {IDD_ADDRESS_BOOK, IDD_BACKUP, IDD_PLAN_EDIT, IDD_PLAN_QUERY, IDD_SHUTDOWN,
                   IDD_SCREENSHOT, IDD_BOSS_KEY, IDD_LEDGER_ENTRY, IDD_POST_CODE, IDD_IDIOM,
                   IDD_DIARY, IDD_NEW_USER, IDD_NOTE_EDITOR}) {
        HWND dialog = Build(id);
        ASSERT_NE(dialog, nullptr) << id;
        ShowWindow(dialog, SW_SHOW);
        PumpUntilIdle();
        RECT client{};
        GetClientRect(dialog, &client);
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child))
                continue;
            RECT rect{};
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            const int control = GetDlgCtrlID(child);
            EXPECT_GE(rect.left, 0) << id << "/" << control;
            EXPECT_GE(rect.top, 0) << id << "/" << control;
            EXPECT_LE(rect.right, client.right) << id << "/" << control;
            EXPECT_LE(rect.bottom, client.bottom) << id << "/" << control;
        }
        EXPECT_TRUE(WriteWindowPng(dialog, folder / ("dialog-" + std::to_string(id) + ".png")));
        Close(dialog);
    }
}

}  // namespace
}  // namespace platform
