#include "browser/GMySortListCtrl.h"

#include <gtest/gtest.h>

#include "browser/BrowserDialogTest.h"
#include "platform/controls/ListViewTest.h"
#include "platform/screen/ScreenApi.h"

namespace {

using browser_testing::BrowserDialogTest;

constexpr int kListId = 1007;

class GMySortListCtrlTest : public BrowserDialogTest {
protected:
    void SetUp() override {
        BrowserDialogTest::SetUp();
        ASSERT_TRUE(list.Create(
            WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
            CRect(10, 10, 410, 210), &frame, kListId));
        list.InsertColumn(0, "name", LVCFMT_LEFT, 150);
        list.InsertColumn(1, "other", LVCFMT_LEFT, 200);
        list.InsertColumn(2, "more", LVCFMT_LEFT, 200);
    }
    void TearDown() override {
        list.DestroyWindow();
        BrowserDialogTest::TearDown();
    }

    void AddRow(const std::string& first, const std::string& second) {
        const int row = list.InsertItem(list.GetItemCount(), first.c_str());
        list.SetItemText(row, 1, second.c_str());
        list.SetItemData(row, static_cast<DWORD_PTR>(row));
    }
    std::vector<std::string> Rows() const { return platform::testing::ListRows(list.m_hWnd); }
    void ClickHeader(int column) const {
        ClickAt(platform::testing::HeaderCenter(list.m_hWnd, column));
    }
    // The left-most x (in the list's client area) of a pixel of text colour in the row's cell
    // range [from, to), or -1.
    int FirstTextPixel(const platform::Surface& picture, int row, int from, int to,
                       COLORREF text) const {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        list.GetItemRect(row, &rect, LVIR_BOUNDS);
        // The capture includes the one-pixel border.
        for (int x = from; x < to; ++x) {
            for (int y = rect.top; y < rect.bottom; ++y) {
                if (platform::ColorFromPixel(picture.At(x + 1, y + 1)) == text) {
                    return x;
                }
            }
        }
        return -1;
    }

    GMySortListCtrl list;
};

TEST_F(GMySortListCtrlTest, EachHeaderClickSortsItsColumnTheOtherWayInByteOrder) {
    for (const char* text : {"b", "中", "B", "a9", "a10"}) {
        AddRow(text, std::string("x") + text);
    }
    ClickHeader(0);
    // Upper case before lower case, digits compared as characters, GBK after ASCII.
    const std::vector<std::string> byName = {"B|xB|", "a10|xa10|", "a9|xa9|", "b|xb|", "中|x中|"};
    EXPECT_EQ(Rows(), byName);
    for (int row = 0; row < list.GetItemCount(); ++row) {
        EXPECT_EQ(list.GetItemData(row), static_cast<DWORD_PTR>(row));
    }
    ClickHeader(0);
    EXPECT_EQ(Rows(), std::vector<std::string>(byName.rbegin(), byName.rend()));
    // Another column starts ascending on its own.
    ClickHeader(1);
    EXPECT_EQ(Rows(), byName);
    ClickHeader(0);
    EXPECT_EQ(Rows(), byName);
    EXPECT_EQ(list.ascending[0], 0);
    EXPECT_EQ(list.ascending[1], 0);
    EXPECT_EQ(list.ascending[2], 1);
}

TEST_F(GMySortListCtrlTest, RowsAreDrawnInTheListsColoursWithTextInsetInEachCell) {
    platform::InstallScreen();
    AddRow("MMMM", "MMMM");
    AddRow("MMMM", "MMMM");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    platform::PumpUntilIdle();
    RECT first{LVIR_BOUNDS, 0, 0, 0};
    RECT second{LVIR_BOUNDS, 0, 0, 0};
    list.GetItemRect(0, &first, LVIR_BOUNDS);
    list.GetItemRect(1, &second, LVIR_BOUNDS);
    platform::Surface picture = platform::CaptureWindow(list.m_hWnd);
    EXPECT_EQ(platform::ColorFromPixel(picture.At(391, second.top + 2)), RGB(59, 73, 119));
    EXPECT_EQ(platform::ColorFromPixel(picture.At(391, first.top + 2)), RGB(255, 255, 255));
    // Each cell's text starts 3 pixels inside the cell, white on the selected row.
    EXPECT_EQ(FirstTextPixel(picture, 0, 0, 40, RGB(0, 0, 0)), 3);
    EXPECT_EQ(FirstTextPixel(picture, 0, 140, 190, RGB(0, 0, 0)), 153);
    EXPECT_EQ(FirstTextPixel(picture, 1, 140, 190, RGB(255, 255, 255)), 153);

    // Scrolled sideways, the cells move with the header.
    list.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40));
    platform::PumpUntilIdle();
    ASSERT_EQ(list.GetScrollPos(SB_HORZ), 40);
    picture = platform::CaptureWindow(list.m_hWnd);
    EXPECT_EQ(FirstTextPixel(picture, 0, 100, 150, RGB(0, 0, 0)), 113);
}

}  // namespace
