#include "platform/controls/ListBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/ScrollInfo.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

constexpr int kListId = 1007;

class ListBoxTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        RegisterListBoxClass();
        parent_ = TopLevel(WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 400});
        PumpUntilIdle();
    }

    HWND List(DWORD style, RECT rect = {10, 10, 160, 110}) {
        HWND list = CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE | style, rect.left,
                                    rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                    parent_, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
        PumpUntilIdle();
        return list;
    }
    static LRESULT Add(HWND list, const char* text) {
        return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    static std::vector<std::string> Texts(HWND list) {
        std::vector<std::string> texts;
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char buffer[256] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
            texts.emplace_back(buffer);
        }
        return texts;
    }
    // The notification codes the parent got from the list, in order.
    std::vector<int> Notifications() {
        std::vector<int> codes;
        for (const testing::LoggedMessage& entry : Log().Of(WM_COMMAND)) {
            if (LOWORD(entry.wParam) == kListId) {
                codes.push_back(HIWORD(entry.wParam));
            }
        }
        return codes;
    }
    // Screen point of a list box client point.
    static POINT OnScreen(HWND list, int x, int y) {
        POINT point{x, y};
        ClientToScreen(list, &point);
        return point;
    }
    static void Click(POINT point, WPARAM extra = 0) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN | static_cast<DWORD>(extra), point);
        InjectMouse(MOUSEEVENTF_LEFTUP, point);
        PumpUntilIdle();
    }
    static COLORREF ScreenAt(POINT point) {
        return ColorFromPixel(CaptureScreen().At(point.x, point.y));
    }

    HWND parent_ = nullptr;
};

TEST_F(ListBoxTest, SortedAddPlacesTextsWithoutCaseThenByBytesAndReturnsTheIndex) {
    HWND list = List(LBS_SORT);
    EXPECT_EQ(Add(list, "banana"), 0);
    EXPECT_EQ(Add(list, "Apple"), 0);
    EXPECT_EQ(Add(list, "apple"), 1);
    EXPECT_EQ(Add(list, "[U]x"), 0);
    EXPECT_EQ(Add(list, "[K]y"), 0);
    EXPECT_EQ(Add(list, "中文"), 5);
    EXPECT_EQ(Add(list, "Zeta"), 5);
    EXPECT_EQ(Add(list, "aPPle"), 3);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"[K]y", "[U]x", "Apple", "aPPle", "apple",
                                                     "banana", "Zeta", "中文"}));
    // Inserting at a place never sorts.
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("zzz")), 1);
    EXPECT_EQ(Texts(list)[1], "zzz");
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, -1, reinterpret_cast<LPARAM>("aaa")), 9);
}

TEST_F(ListBoxTest, UnsortedAddAppendsAndItemDataFollowsItsItem) {
    HWND list = List(0);
    EXPECT_EQ(Add(list, "b"), 0);
    EXPECT_EQ(Add(list, "a"), 1);
    SendMessageA(list, LB_SETITEMDATA, 1, 0x1234);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("c")), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), 0x1234);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 0x1234);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 1, 0), 1);
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(-1), 7);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 7);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 7);
}

TEST_F(ListBoxTest, BadIndexesAndWrongSelectionKindsAnswerLbErr) {
    HWND list = List(0);
    char buffer[16] = {};
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
    Add(list, "one");
    Add(list, "two");
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 5, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 3, reinterpret_cast<LPARAM>("x")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 2, 1), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, 256), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETTOPINDEX, 2, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), LB_ERR);

    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    // -1 clears the selection and still answers LB_ERR.
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    // The multiple-selection messages do not apply to a single-selection list.
    EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), LB_ERR);
    int items[4] = {};
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(items)), LB_ERR);
}

TEST_F(ListBoxTest, FindSearchesAfterTheStartWrapsAndFoldsOnlyAsciiLetters) {
    HWND list = List(0);
    Add(list, "Alpha");
    Add(list, "beta");
    Add(list, "alphabet");
    Add(list, "丄");
    auto find = [&](UINT message, int after, const char* text) {
        return SendMessageA(list, message, static_cast<WPARAM>(after),
                            reinterpret_cast<LPARAM>(text));
    };
    EXPECT_EQ(find(LB_FINDSTRING, -1, "ALPH"), 0);
    EXPECT_EQ(find(LB_FINDSTRING, 0, "alph"), 2);
    EXPECT_EQ(find(LB_FINDSTRING, 2, "alph"), 0);
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, "ALPHA"), 0);
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, 0, "alpha"), 0);
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, "alph"), LB_ERR);
    EXPECT_EQ(find(LB_FINDSTRING, -1, "gamma"), LB_ERR);
    // The second byte of a two-byte character is not a letter: 丄 (81 41) is not 乤 (81 61).
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, "丄"), 3);
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, "乤"), LB_ERR);
    EXPECT_EQ(find(LB_SELECTSTRING, -1, "BE"), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ListBoxTest, SelectionByProgramNeverNotifiesButAClickDoesOnRelease) {
    HWND list = List(LBS_NOTIFY);
    for (const char* text : {"zero", "one", "two"}) {
        Add(list, text);
    }
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("one"));
    PumpUntilIdle();
    EXPECT_TRUE(Notifications().empty());

    const POINT item0 = OnScreen(list, 5, height / 2);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, item0);
    PumpUntilIdle();
    // The press selects (a handler after the default one reads it); the notice waits for release.
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(Notifications(), (std::vector<int>{LBN_SETFOCUS}));
    InjectMouse(MOUSEEVENTF_LEFTUP, item0);
    PumpUntilIdle();
    EXPECT_EQ(Notifications(), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE}));

    // The second click of a double click changes nothing and reports the double click.
    Log().Clear();
    Click(item0);
    EXPECT_EQ(Notifications(), (std::vector<int>{LBN_DBLCLK}));
    EXPECT_EQ(Log().Of(WM_COMMAND).back().lParam, reinterpret_cast<LPARAM>(list));
}

TEST_F(ListBoxTest, WithoutNotifyStyleAClickSelectsSilently) {
    HWND list = List(0);
    Add(list, "zero");
    Add(list, "one");
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    Click(OnScreen(list, 5, height + height / 2));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Notifications(), (std::vector<int>{LBN_SETFOCUS}));
    // A click below the last item leaves the selection alone.
    Click(OnScreen(list, 5, height * 4));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndTypingJumpsToTheNextItemWithThatLetter) {
    HWND list = List(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, RECT{10, 10, 160, 10 + 13 * 4});
    for (const char* text : {"apple", "berry", "banana", "cherry", "date", "elder", "fig"}) {
        Add(list, text);
    }
    SendMessageA(list, LB_SETITEMHEIGHT, 0, 13);
    SetFocus(list);
    PumpUntilIdle();
    Log().Clear();
    auto press = [](BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
        PumpUntilIdle();
    };
    press(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    press(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    press(VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 6);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 3);
    press(VK_DOWN);
    press(VK_PRIOR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    press(VK_HOME);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    // VK_DOWN, VK_DOWN, VK_END, VK_PRIOR and VK_HOME changed it; the VK_DOWN at the end did not.
    EXPECT_EQ(Notifications(), std::vector<int>(5, LBN_SELCHANGE));

    SendMessageA(list, WM_CHAR, 'B', 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    SendMessageA(list, WM_CHAR, 'b', 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    SendMessageA(list, WM_CHAR, 'b', 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListBoxTest, MultipleSelectionTogglesAndReportsTheSelectedItems) {
    HWND list = List(LBS_MULTIPLESEL | LBS_NOTIFY);
    for (const char* text : {"a", "b", "c", "d"}) {
        Add(list, text);
    }
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    Click(OnScreen(list, 5, height / 2));
    AdvanceTestClock(std::chrono::seconds(1));
    Click(OnScreen(list, 5, 2 * height + height / 2));
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 2);
    int items[4] = {-1, -1, -1, -1};
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(items)), 2);
    EXPECT_EQ(items[0], 0);
    EXPECT_EQ(items[1], 2);
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(items)), 1);
    AdvanceTestClock(std::chrono::seconds(1));
    Click(OnScreen(list, 5, height / 2));
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    // By program: SETSEL with -1 covers every item.
    EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, -1), LB_OKAY);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), LB_ERR);
}

TEST_F(ListBoxTest, ExtendedSelectionUsesShiftForRangesFromTheAnchor) {
    HWND list = List(LBS_EXTENDEDSEL);
    for (const char* text : {"a", "b", "c", "d", "e"}) {
        Add(list, text);
    }
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    Click(OnScreen(list, 5, height + 1));
    AdvanceTestClock(std::chrono::seconds(1));
    InjectKey(VK_SHIFT, true);
    Click(OnScreen(list, 5, 3 * height + 1));
    InjectKey(VK_SHIFT, false);
    PumpUntilIdle();
    int items[5] = {};
    ASSERT_EQ(SendMessageA(list, LB_GETSELITEMS, 5, reinterpret_cast<LPARAM>(items)), 3);
    EXPECT_EQ(items[0], 1);
    EXPECT_EQ(items[2], 3);
    EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 3);
    AdvanceTestClock(std::chrono::seconds(1));
    Click(OnScreen(list, 5, 4 * height + 1));
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 4, 0), 1);
}

TEST_F(ListBoxTest, FixedOwnerDrawMeasuresOnceAndDrawsEachVisibleItem) {
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    Log().Answer(WM_MEASUREITEM, [&](HWND, WPARAM wParam, LPARAM lParam) -> LRESULT {
        EXPECT_EQ(wParam, static_cast<WPARAM>(kListId));
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measured.push_back(*measure);
        measure->itemHeight = 20;
        return TRUE;
    });
    Log().Answer(WM_DRAWITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    });
    HWND list = List(LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT);
    ASSERT_EQ(measured.size(), 1u);
    EXPECT_EQ(measured[0].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(measured[0].CtlID, static_cast<UINT>(kListId));
    EXPECT_EQ(measured[0].itemID, 0u);
    EXPECT_EQ(measured[0].itemWidth, 150u);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 20);

    // Without LBS_HASSTRINGS the "string" is the item data.
    SendMessageA(list, LB_ADDSTRING, 0, 0xA0);
    SendMessageA(list, LB_ADDSTRING, 0, 0xA1);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    drawn.clear();
    InvalidateRect(list, nullptr, TRUE);
    PumpUntilIdle();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(drawn[1].CtlID, static_cast<UINT>(kListId));
    EXPECT_EQ(drawn[1].itemID, 1u);
    EXPECT_EQ(drawn[1].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(drawn[1].itemState, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(drawn[1].hwndItem, list);
    EXPECT_NE(drawn[1].hDC, nullptr);
    EXPECT_EQ(drawn[1].rcItem.top, 20);
    EXPECT_EQ(drawn[1].rcItem.bottom, 40);
    EXPECT_EQ(drawn[1].rcItem.right, 150);
    EXPECT_EQ(drawn[1].itemData, 0xA1u);
    EXPECT_EQ(drawn[0].itemState, 0u);

    // A selection change redraws just the two items at once, as ODA_SELECT.
    drawn.clear();
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].itemID, 1u);
    EXPECT_EQ(drawn[0].itemAction, static_cast<UINT>(ODA_SELECT));
    EXPECT_EQ(drawn[0].itemState, 0u);
    EXPECT_EQ(drawn[1].itemID, 0u);
    EXPECT_EQ(drawn[1].itemState, static_cast<UINT>(ODS_SELECTED));
    char data[sizeof(ULONG_PTR)] = {};
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(data)),
              static_cast<LRESULT>(sizeof(ULONG_PTR)));
    EXPECT_EQ(*reinterpret_cast<ULONG_PTR*>(data), 0xA1u);
}

TEST_F(ListBoxTest, VariableOwnerDrawMeasuresEveryItemAndAnEmptyFocusedListDrawsItsFocus) {
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    Log().Answer(WM_MEASUREITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measured.push_back(*measure);
        measure->itemHeight = 20 + 5 * measure->itemID;
        return TRUE;
    });
    Log().Answer(WM_DRAWITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    });
    HWND list = List(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY);
    EXPECT_TRUE(measured.empty());
    SetFocus(list);
    PumpUntilIdle();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().itemID, static_cast<UINT>(-1));
    EXPECT_EQ(drawn.back().itemAction, static_cast<UINT>(ODA_FOCUS));
    EXPECT_EQ(drawn.back().itemState, static_cast<UINT>(ODS_FOCUS));

    const char* first = "first";
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(first));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("second"));
    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0].itemID, 0u);
    EXPECT_EQ(measured[0].itemData, reinterpret_cast<ULONG_PTR>(first));
    EXPECT_EQ(measured[1].itemID, 1u);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 1, 0), 25);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 2, 0), LB_ERR);
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.bottom, 45);
    EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(3, 44)), MAKELONG(1, 0));
    EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(3, 60)), MAKELONG(1, 1));
}

TEST_F(ListBoxTest, DeletingOwnerDrawnItemsTellsTheOwnerWithTheItemsData) {
    std::vector<DELETEITEMSTRUCT> deleted;
    Log().Answer(WM_DELETEITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        deleted.push_back(*reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
        return TRUE;
    });
    HWND list = List(LBS_OWNERDRAWFIXED);
    SendMessageA(list, LB_ADDSTRING, 0, 11);
    SendMessageA(list, LB_ADDSTRING, 0, 22);
    SendMessageA(list, LB_ADDSTRING, 0, 33);
    SendMessageA(list, LB_DELETESTRING, 1, 0);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(deleted[0].CtlID, static_cast<UINT>(kListId));
    EXPECT_EQ(deleted[0].itemID, 1u);
    EXPECT_EQ(deleted[0].hwndItem, list);
    EXPECT_EQ(deleted[0].itemData, 22u);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ASSERT_EQ(deleted.size(), 3u);
    EXPECT_EQ(deleted[1].itemData, 11u);
    EXPECT_EQ(deleted[2].itemData, 33u);
    SendMessageA(list, LB_ADDSTRING, 0, 44);
    DestroyWindow(list);
    ASSERT_EQ(deleted.size(), 4u);
    EXPECT_EQ(deleted[3].itemData, 44u);
}

TEST_F(ListBoxTest, SortedOwnerDrawWithoutStringsAsksTheOwnerToCompare) {
    std::vector<COMPAREITEMSTRUCT> compared;
    Log().Answer(WM_COMPAREITEM, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        const auto& compare = *reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        compared.push_back(compare);
        return compare.itemData1 < compare.itemData2 ? -1 : compare.itemData1 > compare.itemData2;
    });
    HWND list = List(LBS_OWNERDRAWFIXED | LBS_SORT);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, 30), 0);
    EXPECT_TRUE(compared.empty());
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, 10), 0);
    ASSERT_EQ(compared.size(), 1u);
    EXPECT_EQ(compared[0].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(compared[0].hwndItem, list);
    EXPECT_EQ(compared[0].itemID1, static_cast<UINT>(-1));
    EXPECT_EQ(compared[0].itemData1, 10u);
    EXPECT_EQ(compared[0].itemID2, 0u);
    EXPECT_EQ(compared[0].itemData2, 30u);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, 20), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), 30);
    // A sorted list without strings finds through the owner's comparison too.
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), 20), 1);
}

TEST_F(ListBoxTest, PaintsItemsOverTheParentsBrushWithTheSelectionHighlighted) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    Log().Answer(WM_CTLCOLORLISTBOX,
                 [&](HWND, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(red); });
    HWND list = List(LBS_NOINTEGRALHEIGHT);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, 16);
    Add(list, "one");
    Add(list, "two");
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(OnScreen(list, 140, 2)), RGB(255, 0, 0));
    EXPECT_EQ(ScreenAt(OnScreen(list, 140, 20)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenAt(OnScreen(list, 140, 31)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenAt(OnScreen(list, 140, 32)), RGB(255, 0, 0));
    EXPECT_EQ(ScreenAt(OnScreen(list, 140, 80)), RGB(255, 0, 0));
    DestroyWindow(list);
    DeleteObject(red);
}

TEST_F(ListBoxTest, TheVerticalBarComesWithOverflowAndFollowsTheTopIndex) {
    HWND list = List(WS_VSCROLL | LBS_NOINTEGRALHEIGHT, RECT{10, 10, 160, 10 + 5 * 16});
    SendMessageA(list, LB_SETITEMHEIGHT, 0, 16);
    Add(list, "0");
    Add(list, "1");
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(client.right, 150);
    for (int i = 2; i < 20; ++i) {
        Add(list, std::to_string(i).c_str());
    }
    EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0);
    GetClientRect(list, &client);
    EXPECT_EQ(client.right, 150 - GetSystemMetrics(SM_CXVSCROLL));
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(info.nPage, 5u);

    EXPECT_EQ(SendMessageA(list, LB_SETTOPINDEX, 19, 0), LB_OKAY);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 15);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 15);
    SendMessageA(list, LB_SETTOPINDEX, 0, 0);
    SendMessageA(list, LB_SETCURSEL, 12, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 8);

    // A press on the bar's lower arrow scrolls one line.
    RECT window{};
    GetWindowRect(list, &window);
    Click(POINT{window.right - 4, window.bottom - 4});
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 9);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 9);
    // And the bar is drawn: the arrow button's face beside the items.
    EXPECT_EQ(ScreenAt(POINT{window.right - 3, window.bottom - 14}), GetSysColor(COLOR_BTNFACE));

    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(ListBoxTest, AChildListDrawsItsBorderAndSunkenEdge) {
    HWND list = CreateWindowExA(
        WS_EX_CLIENTEDGE, "ListBox", "",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL,
        10, 10, 100, 50, parent_, nullptr, nullptr, nullptr);
    PumpUntilIdle();
    RECT window{};
    GetWindowRect(list, &window);
    // The disabled bar lies inside the edge: its arrow button starts 16 pixels left of the
    // edge's inner light line.
    EXPECT_EQ(ScreenAt(POINT{window.right - 3 - 16, window.top + 3}), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ScreenAt(POINT{window.right - 3, window.top + 3}), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ScreenAt(POINT{window.left, window.top}), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ScreenAt(POINT{window.left + 1, window.top + 5}), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenAt(POINT{window.left + 2, window.top + 5}), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ScreenAt(POINT{window.right - 2, window.top + 5}), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenAt(POINT{window.left + 4, window.top + 5}), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListBoxTest, AHorizontalExtentWiderThanTheListBringsTheHorizontalBar) {
    HWND list = List(WS_HSCROLL | LBS_NOINTEGRALHEIGHT);
    Add(list, "wide");
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL, 0);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 400, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), 400);
    ASSERT_NE(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL, 0);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, 399);
    EXPECT_EQ(info.nPage, 150u);
    SendMessageA(list, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 150);
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.left, -150);
    SendMessageA(list, WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 250);
}

TEST_F(ListBoxTest, TheWheelScrollsThreeLinesAndANewFontChangesTheItemHeight) {
    HWND list = List(LBS_NOINTEGRALHEIGHT);
    for (int i = 0; i < 30; ++i) {
        Add(list, std::to_string(i).c_str());
    }
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 6);
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 3);

    HFONT big = CreateFontA(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, big);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight);
    EXPECT_EQ(SendMessageA(list, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(big));
    DestroyWindow(list);
    DeleteObject(big);
}

TEST_F(ListBoxTest, AClientEdgeAloneIsDrawnToo) {
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE, 10, 10, 100,
                                50, parent_, nullptr, nullptr, nullptr);
    PumpUntilIdle();
    RECT window{};
    GetWindowRect(list, &window);
    EXPECT_EQ(ScreenAt(POINT{window.left, window.top + 5}), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenAt(POINT{window.left + 1, window.top + 5}), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ScreenAt(POINT{window.right - 1, window.top + 5}), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(ListBoxTest, IntegralHeightTrimsAPartialLastRow) {
    HWND list = List(0, RECT{10, 10, 160, 10 + 50});
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom, 50 - 50 % height);
    HWND loose = List(LBS_NOINTEGRALHEIGHT, RECT{10, 70, 160, 70 + 50});
    GetClientRect(loose, &client);
    EXPECT_EQ(client.bottom, 50);
}

}  // namespace
}  // namespace platform
