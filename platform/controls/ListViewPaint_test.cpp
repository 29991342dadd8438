#include "platform/controls/ListView.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls/ListViewTest.h"
#include "platform/drawing/Surface.h"

namespace platform::testing {
namespace {

TEST_F(ListViewTest, OwnerDrawnRowsAreDrawnByTheParentWithTheirState) {
    InstallScreen();
    HWND list = OwnerDrawnList(3);
    SetState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    onDraw_ = [](const DRAWITEMSTRUCT& draw) {
        const COLORREF color =
            (draw.itemState & ODS_SELECTED) ? RGB(59, 73, 119) : RGB(255, 255, 255);
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(draw.hDC, &draw.rcItem, brush);
        DeleteObject(brush);
    };
    draws_.clear();
    InvalidateRect(list, nullptr, TRUE);
    PumpUntilIdle();
    ASSERT_EQ(draws_.size(), 3U);
    const int top = HeaderHeight(list);
    for (UINT i = 0; i < 3; ++i) {
        const DRAWITEMSTRUCT& draw = draws_[i];
        EXPECT_EQ(draw.CtlType, static_cast<UINT>(ODT_LISTVIEW));
        EXPECT_EQ(draw.CtlID, static_cast<UINT>(kListId));
        EXPECT_EQ(draw.itemID, i);
        EXPECT_EQ(draw.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
        EXPECT_EQ(draw.hwndItem, list);
        EXPECT_NE(draw.hDC, nullptr);
        EXPECT_EQ(draw.itemData, 100U + i);
        EXPECT_EQ(draw.rcItem.left, 0);
        EXPECT_EQ(draw.rcItem.right, 240);
        EXPECT_EQ(draw.rcItem.top, top + static_cast<int>(i) * kRowHeight);
        EXPECT_EQ(draw.rcItem.bottom, top + static_cast<int>(i + 1) * kRowHeight);
    }
    // Not focused, but LVS_SHOWSELALWAYS shows the selection.
    EXPECT_EQ(draws_[0].itemState, 0U);
    EXPECT_EQ(draws_[1].itemState, static_cast<UINT>(ODS_SELECTED));

    SetFocus(list);
    draws_.clear();
    PumpUntilIdle();
    ASSERT_FALSE(draws_.empty());
    auto focusedRow = std::find_if(draws_.begin(), draws_.end(),
                                   [](const DRAWITEMSTRUCT& d) { return d.itemID == 1; });
    ASSERT_NE(focusedRow, draws_.end());
    EXPECT_EQ(focusedRow->itemState, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));

    const Surface picture = CaptureWindow(list);
    EXPECT_EQ(ColorFromPixel(picture.At(30, top + kRowHeight + 10)), RGB(59, 73, 119));
    EXPECT_EQ(ColorFromPixel(picture.At(30, top + 10)), RGB(255, 255, 255));
    // Below the rows: the list's own background.
    EXPECT_EQ(ColorFromPixel(picture.At(30, top + 5 * kRowHeight)), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListViewTest, WithoutShowSelAlwaysAnUnfocusedSelectionIsNotDrawn) {
    InstallScreen();
    HWND list = OwnerDrawnList(2, 0);
    SetState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    draws_.clear();
    InvalidateRect(list, nullptr, TRUE);
    PumpUntilIdle();
    ASSERT_EQ(draws_.size(), 2U);
    EXPECT_EQ(draws_[0].itemState, 0U);
}

TEST_F(ListViewTest, ASmallImageListMakesRoomForIconsAndGridlinesAreDrawn) {
    InstallScreen();
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "a", 100);
    AddColumn(list, 1, "b", 100);
    AddRow(list, "", 0);
    HIMAGELIST images = ImageList_Create(16, 24, ILC_COLOR32, 1, 1);
    EXPECT_EQ(SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)),
              0);
    EXPECT_EQ(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0),
              reinterpret_cast<LRESULT>(images));
    RECT icon{LVIR_ICON, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
    EXPECT_EQ(icon.left, 0);
    EXPECT_EQ(icon.right, 16);
    EXPECT_GE(icon.bottom - icon.top, 25);
    RECT label{LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
    EXPECT_EQ(label.left, 16);
    EXPECT_EQ(label.right, 100);
    LVHITTESTINFO hit{};
    hit.pt = POINT{5, icon.top + 2};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMICON));
    // Without LVS_EX_FULLROWSELECT a plain row is hit only in its first column.
    hit.pt = POINT{150, icon.top + 2};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.iSubItem, 1);

    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    PumpUntilIdle();
    const Surface picture = CaptureWindow(list);
    EXPECT_EQ(ColorFromPixel(picture.At(99, icon.bottom + 5)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(picture.At(50, icon.bottom - 1)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(picture.At(50, icon.bottom + 5)), GetSysColor(COLOR_WINDOW));
    DestroyWindow(list);
    ImageList_Destroy(images);
}

TEST_F(ListViewTest, PlainRowsDrawTheSelectionInTheHighlightColour) {
    InstallScreen();
    HWND list = MakeList(LVS_REPORT | LVS_SHOWSELALWAYS);
    AddColumn(list, 0, "a", 100);
    AddColumn(list, 1, "b", 100);
    AddRow(list, "", 0);
    AddRow(list, "", 1);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(1, 2, 3));
    EXPECT_EQ(SendMessageA(list, LVM_GETBKCOLOR, 0, 0), RGB(1, 2, 3));
    SetState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    SetFocus(list);
    PumpUntilIdle();
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const Surface picture = CaptureWindow(list);
    EXPECT_EQ(ColorFromPixel(picture.At(150, row.top + 1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorFromPixel(picture.At(150, row.top - 2)), RGB(1, 2, 3));
    EXPECT_EQ(ColorFromPixel(picture.At(250, row.bottom + 30)), RGB(1, 2, 3));
}

}  // namespace
}  // namespace platform::testing
