#include "platform/controls/ComboBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/Clipboard.h"
#include "platform/controls/Edit.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

constexpr int kComboId = 1016;

class ComboBoxTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        RegisterComboBoxClass();
        RegisterEditClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 500});
        PumpUntilIdle();
    }
    // At (10,10) of the parent, screen (110,110), 120 wide, 300 high when dropped.
    HWND Combo(DWORD style) {
        HWND combo =
            CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 10, 10,
                            120, 300, parent_, reinterpret_cast<HMENU>(kComboId), nullptr, nullptr);
        PumpUntilIdle();
        return combo;
    }
    static LRESULT Add(HWND combo, const char* text) {
        return SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    static std::string Text(HWND combo) {
        char buffer[64] = {};
        GetWindowTextA(combo, buffer, sizeof buffer);
        return buffer;
    }
    std::vector<int> Notifications() {
        std::vector<int> codes;
        for (const testing::LoggedMessage& entry : Log().Of(WM_COMMAND)) {
            if (LOWORD(entry.wParam) == kComboId) {
                codes.push_back(HIWORD(entry.wParam));
            }
        }
        return codes;
    }
    static void Click(POINT point) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
        InjectMouse(MOUSEEVENTF_LEFTUP, point);
        PumpUntilIdle();
        AdvanceTestClock(std::chrono::seconds(1));
    }
    static void Press(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
        PumpUntilIdle();
    }
    // A pop-up's owner is the top-level window above the combo box.
    HWND DroppedList(HWND combo) {
        HWND list = FindWindowA("ComboLBox", nullptr);
        EXPECT_EQ(GetWindow(list, GW_OWNER), GetAncestor(combo, GA_ROOT));
        return list;
    }
    // The screen point in the middle of item `index` of the dropped list.
    POINT ListItem(HWND combo, int index) {
        HWND list = DroppedList(combo);
        const int height = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
        POINT point{20, index * height + height / 2};
        ClientToScreen(list, &point);
        return point;
    }
    static COLORREF ScreenAt(int x, int y) { return ColorFromPixel(CaptureScreen().At(x, y)); }

    HWND parent_ = nullptr;
};

TEST_F(ComboBoxTest, SortedDropListKeepsItemsInOrderAndTheTextFollowsTheSelection) {
    HWND combo = Combo(CBS_DROPDOWNLIST | CBS_SORT);
    EXPECT_EQ(Add(combo, "Google"), 0);
    EXPECT_EQ(Add(combo, "baidu"), 0);
    EXPECT_EQ(Add(combo, "Bing"), 1);
    EXPECT_EQ(Add(combo, "搜狗"), 3);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 4);
    char text[32] = {};
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "Bing");
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 3, 0), 4);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(text)), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("GOOGLE")),
              2);
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("goo")),
              CB_ERR);

    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(combo), "");
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 3, 0), 3);
    EXPECT_EQ(Text(combo), "搜狗");
    EXPECT_EQ(GetWindowTextLengthA(combo), 4);
    // WM_SETTEXT on a drop list picks the item with that text, or fails.
    EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("bing")), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("yahoo")), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(Text(combo), "");
    // An index past the items clears the selection as -1 does.
    SendMessageA(combo, CB_SETCURSEL, 3, 0);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 24, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(combo), "");
    PumpUntilIdle();
    EXPECT_TRUE(Notifications().empty());
    // A drop list has no edit part.
    EXPECT_EQ(GetDlgItem(combo, 1001), nullptr);
    EXPECT_EQ(SendMessageA(combo, CB_LIMITTEXT, 10, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1)), CB_ERR);
    // Deleting from the last item to the first empties it.
    for (int i = 3; i >= 0; --i) {
        EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, i, 0), i);
    }
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 0, 0), CB_ERR);
}

TEST_F(ComboBoxTest, TheWindowKeepsTheClosedHeightAndRemembersTheDroppedOne) {
    HWND combo = Combo(CBS_DROPDOWNLIST);
    RECT window{};
    GetWindowRect(combo, &window);
    const int closed =
        static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + 6;
    EXPECT_EQ(window.bottom - window.top, closed);
    RECT dropped{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 300);
    MoveWindow(combo, 0, 0, 120, 200, TRUE);
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, closed);
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 200);
    EXPECT_EQ(SendMessageA(combo, CB_SETDROPPEDWIDTH, 80, 0), 120);
    EXPECT_EQ(SendMessageA(combo, CB_SETDROPPEDWIDTH, 200, 0), 200);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0), 200);
    EXPECT_EQ(SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 20), CB_OKAY);
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 26);
}

TEST_F(ComboBoxTest, TheEditPartAndTheListFollowEverySizeChange) {
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    auto width = [](HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        return static_cast<int>(rect.right - rect.left);
    };
    HWND combo = Combo(CBS_DROPDOWN);
    HWND edit = GetDlgItem(combo, 1001);
    EXPECT_EQ(width(edit), 120 - arrow - 6);
    MoveWindow(combo, 10, 10, 300, 300, TRUE);
    EXPECT_EQ(width(edit), 300 - arrow - 6);
    // Text typed into the wider box shows beyond where the edit part used to end.
    SetWindowTextA(combo, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    PumpUntilIdle();
    RECT field{};
    GetWindowRect(edit, &field);
    const Surface screen = CaptureScreen();
    int ink = 0;
    for (int y = field.top; y < field.bottom; ++y) {
        for (int x = 110 + 120; x < field.right; ++x) {
            ink += ColorFromPixel(screen.At(x, y)) == GetSysColor(COLOR_WINDOWTEXT);
        }
    }
    EXPECT_GT(ink, 50);
    SetWindowPos(combo, nullptr, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(width(edit), 200 - arrow - 6);

    // An open list keeps below the box and as wide as it.
    Add(combo, "a");
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = DroppedList(combo);
    SetWindowPos(combo, nullptr, 0, 0, 250, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT box{};
    RECT dropped{};
    GetWindowRect(combo, &box);
    GetWindowRect(list, &dropped);
    EXPECT_EQ(dropped.left, box.left);
    EXPECT_EQ(dropped.top, box.bottom);
    EXPECT_EQ(width(list), 250);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);

    // A simple combo box's list fills the box below the field.
    HWND simple = Combo(CBS_SIMPLE);
    HWND simpleList = GetDlgItem(simple, 1000);
    MoveWindow(simple, 10, 10, 200, 250, TRUE);
    EXPECT_EQ(width(GetDlgItem(simple, 1001)), 200 - 6);
    RECT below{};
    GetWindowRect(simpleList, &below);
    const int fieldHeight =
        static_cast<int>(SendMessageA(simple, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + 6;
    EXPECT_EQ(below.right - below.left, 200);
    EXPECT_EQ(below.bottom - below.top, 250 - fieldHeight);
}

TEST_F(ComboBoxTest, ClickingDropsTheListAndAClickOnAnItemChoosesIt) {
    HWND combo = Combo(CBS_DROPDOWNLIST);
    for (const char* text : {"zero", "one", "two", "three"}) {
        Add(combo, text);
    }
    Log().Clear();
    Click(POINT{150, 115});
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
    HWND list = DroppedList(combo);
    EXPECT_TRUE(IsWindowVisible(list));
    RECT listRect{};
    RECT comboRect{};
    GetWindowRect(list, &listRect);
    GetWindowRect(combo, &comboRect);
    EXPECT_EQ(listRect.top, comboRect.bottom);
    EXPECT_EQ(listRect.left, comboRect.left);
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN}));

    Log().Clear();
    Click(ListItem(combo, 2));
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Text(combo), "two");
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Open again, point at another item, then click outside: the choice is taken back.
    Log().Clear();
    Click(POINT{150, 115});
    InjectMouse(0, ListItem(combo, 0));
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    Click(POINT{450, 450});
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, KeysChooseWhileClosedAndDropOpenWithF4) {
    HWND combo = Combo(CBS_DROPDOWNLIST);
    for (const char* text : {"apple", "banana", "blueberry", "cherry"}) {
        Add(combo, text);
    }
    SetFocus(combo);
    PumpUntilIdle();
    Log().Clear();
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    Press(VK_END);
    EXPECT_EQ(Text(combo), "cherry");
    Press(VK_END);
    EXPECT_EQ(Notifications(), std::vector<int>(3, CBN_SELCHANGE));

    SendMessageA(combo, WM_CHAR, 'B', 0);
    EXPECT_EQ(Text(combo), "banana");
    SendMessageA(combo, WM_CHAR, 'b', 0);
    EXPECT_EQ(Text(combo), "blueberry");

    Log().Clear();
    Press(VK_F4);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
    // The open list keeps Enter and Esc from the dialog, but not Tab.
    MSG enter{combo, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG tab{combo, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(SendMessageA(combo, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
              DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE);
    EXPECT_EQ(SendMessageA(combo, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)),
              DLGC_WANTARROWS | DLGC_WANTCHARS);
    Press(VK_UP);
    Press(VK_RETURN);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(Text(combo), "banana");
    EXPECT_EQ(Notifications(),
              (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));

    // Escape takes back what the keys chose while the list was down, and says so.
    Log().Clear();
    Press(VK_F4);
    Press(VK_DOWN);
    Press(VK_ESCAPE);
    EXPECT_EQ(Text(combo), "banana");
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDCANCEL,
                                                 CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(ComboBoxTest, DropDownByProgramAndLosingFocusCloseTheList) {
    HWND combo = Combo(CBS_DROPDOWNLIST);
    Add(combo, "one");
    HWND other = Child(parent_, 5, RECT{200, 10, 250, 30});
    SetFocus(combo);
    Log().Clear();
    EXPECT_EQ(SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0), TRUE);
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_DROPDOWN, CBN_CLOSEUP}));
    Log().Clear();
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SetFocus(other);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(Notifications(),
              (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxTest, TheOpenListScrollsWithItsOwnBarAndStaysOpen) {
    HWND combo = Combo(CBS_DROPDOWNLIST);
    for (int i = 0; i < 40; ++i) {
        Add(combo, ("item " + std::to_string(i)).c_str());
    }
    Click(POINT{150, 115});
    HWND list = DroppedList(combo);
    ASSERT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(GetWindowLongA(combo, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    RECT rect{};
    GetWindowRect(list, &rect);
    EXPECT_EQ(
        rect.bottom - rect.top,
        300 - static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) -
            6);
    Log().Clear();
    Click(POINT{rect.right - 8, rect.bottom - 8});
    EXPECT_EQ(SendMessageA(combo, CB_GETTOPINDEX, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
    EXPECT_EQ(GetCapture(), list);
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(ComboBoxTest, ASimpleComboKeepsItsListOpenBelowTheFieldAndReportsClicks) {
    HWND combo = Combo(CBS_SIMPLE);
    HWND list = GetDlgItem(combo, 1000);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 300);
    for (const char* text : {"zero", "one", "two"}) {
        Add(combo, text);
    }
    Log().Clear();
    const int height = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    POINT item1{10, height + height / 2};
    ClientToScreen(list, &item1);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, item1);
    InjectMouse(MOUSEEVENTF_LEFTUP, item1);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, item1);
    InjectMouse(MOUSEEVENTF_LEFTUP, item1);
    PumpUntilIdle();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_SELCHANGE, CBN_DBLCLK}));
    EXPECT_EQ(SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    // The edit part's colour question goes on to the combo box's parent.
    Log().Answer(WM_CTLCOLOREDIT, [](HWND, WPARAM, LPARAM) -> LRESULT { return 0x5A; });
    EXPECT_EQ(SendMessageA(combo, WM_CTLCOLOREDIT, 0, 0), 0x5A);
}

TEST_F(ComboBoxTest, ADropDownComboTypesIntoItsEditPartAndReportsEachChange) {
    HWND combo = Combo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    HWND edit = GetDlgItem(combo, 1001);
    ASSERT_NE(edit, nullptr);
    char className[16] = {};
    GetClassNameA(edit, className, sizeof className);
    EXPECT_STREQ(className, "Edit");
    EXPECT_NE(GetWindowLongA(edit, GWL_STYLE) & ES_AUTOHSCROLL, 0);
    for (const char* text : {"baidu.com", "google.com", "qq.com"}) {
        Add(combo, text);
    }
    // Text set by program reaches the edit part without an edit notification.
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(Text(combo), "google.com");
    char editText[32] = {};
    GetWindowTextA(edit, editText, sizeof editText);
    EXPECT_STREQ(editText, "google.com");
    SetWindowTextA(combo, "news");
    GetWindowTextA(edit, editText, sizeof editText);
    EXPECT_STREQ(editText, "news");
    PumpUntilIdle();
    EXPECT_TRUE(Notifications().empty());

    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1)), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_GETEDITSEL, 0, 0), MAKELONG(0, 4));
    Log().Clear();
    InjectKey('Q', true);
    InjectKey('Q', false);
    PumpUntilIdle();
    EXPECT_EQ(Text(combo), "q");
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_EDITUPDATE, CBN_EDITCHANGE}));
    // The limit applies to what is typed.
    EXPECT_EQ(SendMessageA(combo, CB_LIMITTEXT, 2, 0), TRUE);
    for (BYTE key : {'Q', 'Q'}) {
        InjectKey(key, true);
        InjectKey(key, false);
    }
    PumpUntilIdle();
    EXPECT_EQ(Text(combo), "qq");

    // Arrows in the edit part walk the list.
    Log().Clear();
    Press(VK_DOWN);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Text(combo), "qq.com");
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_SELCHANGE}));
}

TEST_F(ComboBoxTest, ClipboardMessagesToTheBoxActOnItsEditPart) {
    ResetClipboardForTesting();
    HWND combo = Combo(CBS_DROPDOWN);
    SetWindowTextA(combo, "qq.com");
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, 2));
    SendMessageA(combo, WM_CUT, 0, 0);
    EXPECT_EQ(Text(combo), ".com");
    EXPECT_EQ(ClipboardText(nullptr), std::optional<std::string>("qq"));
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(4, 4));
    SendMessageA(combo, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(combo), ".comqq");
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, 1));
    SendMessageA(combo, WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(nullptr), std::optional<std::string>("."));
    SendMessageA(combo, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(combo), "comqq");

    // A drop-down list has no edit part and nothing to cut.
    HWND list = Combo(CBS_DROPDOWNLIST);
    Add(list, "a");
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageA(list, WM_CUT, 0, 0), 0);
    EXPECT_EQ(Text(list), "a");
    ResetClipboardForTesting();
}

TEST_F(ComboBoxTest, DroppingTheListPicksTheItemTheEditTextBeginsAndTakesItsText) {
    HWND combo = Combo(CBS_DROPDOWN);
    for (const char* text : {"baidu.com", "google.com", "qq.com"}) {
        Add(combo, text);
    }
    SetWindowTextA(combo, "GOO");
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Text(combo), "google.com");
    Log().Clear();
    Click(ListItem(combo, 2));
    EXPECT_EQ(Text(combo), "qq.com");
    EXPECT_EQ(Notifications(), (std::vector<int>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    // A click on the field beside the button does not drop an editable combo box.
    Click(POINT{130, 115});
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    Click(POINT{220, 115});
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
}

TEST_F(ComboBoxTest, OwnerDrawnDropListMeasuresAndDrawsForTheComboBox) {
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    Log().Answer(WM_MEASUREITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measured.push_back(*measure);
        measure->itemHeight = measure->itemID == static_cast<UINT>(-1) ? 18 : 22;
        return TRUE;
    });
    Log().Answer(WM_DRAWITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    });
    HWND combo = Combo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(measured[0].CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(measured[0].itemID, static_cast<UINT>(-1));
    EXPECT_EQ(measured[1].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(measured[1].itemID, 0u);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 22);

    SendMessageA(combo, CB_ADDSTRING, 0, 0x51);
    SendMessageA(combo, CB_ADDSTRING, 0, 0x52);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    drawn.clear();
    PumpUntilIdle();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(drawn[0].itemID, 1u);
    EXPECT_EQ(drawn[0].itemState, static_cast<UINT>(ODS_COMBOBOXEDIT));
    EXPECT_EQ(drawn[0].hwndItem, combo);
    EXPECT_EQ(drawn[0].itemData, 0x52u);

    drawn.clear();
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    PumpUntilIdle();
    std::vector<DRAWITEMSTRUCT> items;
    for (const DRAWITEMSTRUCT& draw : drawn) {
        if ((draw.itemState & ODS_COMBOBOXEDIT) == 0) {
            items.push_back(draw);
        }
    }
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].hwndItem, combo);
    EXPECT_EQ(items[0].CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(items[1].itemState, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(items[1].rcItem.top, 22);
    EXPECT_EQ(items[1].itemData, 0x52u);
}

TEST_F(ComboBoxTest, AFocusedDropListHighlightsItsFieldBesideTheArrowButton) {
    HWND combo = Combo(CBS_DROPDOWNLIST);
    Add(combo, "x");
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    PumpUntilIdle();
    // Field 112..(230-2-16) inside the 2-pixel sunken edge, button 212..228.
    EXPECT_EQ(ScreenAt(200, 115), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ScreenAt(110, 110), GetSysColor(COLOR_BTNSHADOW));
    SetFocus(combo);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(200, 115), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenAt(215, 115), GetSysColor(COLOR_BTNFACE));
    RECT window{};
    GetWindowRect(combo, &window);
    const int middle = (window.top + window.bottom) / 2;
    EXPECT_EQ(ScreenAt(220, middle), GetSysColor(COLOR_BTNTEXT));
}

}  // namespace
}  // namespace platform
