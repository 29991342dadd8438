#include "platform/framework/ListCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/drawing/Surface.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

constexpr COLORREF kSelected = RGB(10, 36, 106);
constexpr COLORREF kPlain = RGB(240, 250, 200);

// An owner-drawn report of a program: paints each row in one colour and remembers the calls.
class CPaintedList : public CListCtrl {
public:
    struct Row {
        UINT id;
        UINT state;
        RECT rect;
    };
    std::vector<Row> rows;

    void DrawItem(LPDRAWITEMSTRUCT item) override {
        EXPECT_EQ(item->CtlType, static_cast<UINT>(ODT_LISTVIEW));
        EXPECT_EQ(item->hwndItem, m_hWnd);
        rows.push_back({item->itemID, item->itemState, item->rcItem});
        CDC::FromHandle(item->hDC)->FillSolidRect(
            &item->rcItem, (item->itemState & ODS_SELECTED) != 0 ? kSelected : kPlain);
    }
};

int CALLBACK ByDataDescending(LPARAM first, LPARAM second, LPARAM sort) {
    EXPECT_EQ(sort, 77);
    return first < second ? 1 : (first > second ? -1 : 0);
}

int CALLBACK NeverEqual(LPARAM, LPARAM, LPARAM) {
    return -1;
}

class ListCtrlWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        platform::InstallScreen();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300,
                                  nullptr, nullptr));
    }
    void TearDown() override {
        host.DestroyWindow();
        platform::ResetWindowSystemForTesting();
    }

    static void Fill(CListCtrl& list, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const int row = list.InsertItem(list.GetItemCount(), name);
            list.SetItemData(row, static_cast<DWORD_PTR>(row + 1));
        }
    }
    static std::vector<std::string> Names(const CListCtrl& list) {
        std::vector<std::string> names;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            names.emplace_back(static_cast<LPCSTR>(list.GetItemText(row, 0)));
        }
        return names;
    }
    COLORREF PixelAt(const CWnd& window, int x, int y) {
        POINT point{x, y};
        window.ClientToScreen(&point);
        return platform::ColorFromPixel(platform::CaptureScreen().At(point.x, point.y));
    }

    CWnd host;
};

TEST_F(ListCtrlWrapperTest, ColumnsRowsTextsAndData) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, 1013));
    EXPECT_EQ(list.InsertColumn(0, "名称", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, "大小", LVCFMT_RIGHT, 60), 1);
    EXPECT_EQ(list.InsertColumn(9, "时间"), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 60);
    EXPECT_TRUE(list.SetColumnWidth(1, 80));
    EXPECT_EQ(list.GetColumnWidth(1), 80);
    LVCOLUMN column{};
    column.mask = LVCF_FMT;
    ASSERT_TRUE(list.GetColumn(1, &column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetItemCount(), 3);
    EXPECT_TRUE(list.DeleteColumn(2));
    EXPECT_EQ(header->GetItemCount(), 2);
    CRect head;
    ASSERT_TRUE(header->GetItemRect(1, &head));
    EXPECT_EQ(head.left, 120);
    EXPECT_EQ(head.Width(), 80);

    EXPECT_EQ(list.InsertItem(0, "甲"), 0);
    EXPECT_EQ(list.InsertItem(list.GetItemCount(), "乙"), 1);
    EXPECT_EQ(list.InsertItem(0, "丙"), 0);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"丙", "甲", "乙"}));
    EXPECT_TRUE(list.SetItemText(1, 1, "12 KB"));
    EXPECT_FALSE(list.SetItemText(1, 5, "no such column"));
    EXPECT_STREQ(list.GetItemText(1, 1), "12 KB");
    EXPECT_STREQ(list.GetItemText(7, 0), "");
    const std::string longText(700, 'x');
    EXPECT_TRUE(list.SetItemText(2, 1, longText.c_str()));
    EXPECT_EQ(std::string(static_cast<LPCSTR>(list.GetItemText(2, 1))), longText);
    char small[4];
    EXPECT_EQ(list.GetItemText(1, 1, small, sizeof(small)), 3);
    EXPECT_STREQ(small, "12 ");

    int record = 0;
    EXPECT_TRUE(list.SetItemData(2, reinterpret_cast<DWORD_PTR>(&record)));
    EXPECT_EQ(list.GetItemData(2), reinterpret_cast<DWORD_PTR>(&record));
    EXPECT_EQ(list.GetItemData(0), 0u);

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_FALSE(list.DeleteItem(5));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemData(1), reinterpret_cast<DWORD_PTR>(&record));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlWrapperTest, SelectedRowsAreWalkedInOrder) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 300, 200),
                            &host, 1007));
    list.InsertColumn(0, "网址", LVCFMT_LEFT, 200);
    Fill(list, {"a", "b", "c", "d"});
    EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);

    EXPECT_TRUE(list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED),
              static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(2, LVIS_FOCUSED), 0u);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 0);

    std::vector<int> walked;
    POSITION position = list.GetFirstSelectedItemPosition();
    while (position != nullptr) {
        walked.push_back(list.GetNextSelectedItem(position));
    }
    EXPECT_EQ(walked, (std::vector<int>{0, 2}));

    // -1 changes every row.
    EXPECT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED));
    EXPECT_EQ(list.GetSelectedCount(), 0u);
}

TEST_F(ListCtrlWrapperTest, SortingPassesTheItemDataAndToleratesABadComparator) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, 1015));
    list.InsertColumn(0, "进程", LVCFMT_LEFT, 200);
    Fill(list, {"one", "two", "three", "four"});
    EXPECT_TRUE(list.SortItems(ByDataDescending, 77));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"four", "three", "two", "one"}));
    EXPECT_EQ(list.GetItemData(0), 4u);

    EXPECT_TRUE(list.SortItems(NeverEqual, 0));
    std::vector<std::string> names = Names(list);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"four", "one", "three", "two"}));
}

TEST_F(ListCtrlWrapperTest, StylesAndColoursAreTheControls) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, 1));
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), 0u);
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_TRUE(list.SetBkColor(RGB(1, 2, 3)));
    EXPECT_TRUE(list.SetTextColor(RGB(4, 5, 6)));
    EXPECT_TRUE(list.SetTextBkColor(CLR_NONE));
    EXPECT_EQ(list.GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(list.GetTextColor(), RGB(4, 5, 6));
    EXPECT_EQ(list.GetTextBkColor(), CLR_NONE);
}

TEST_F(ListCtrlWrapperTest, AnOwnerDrawnReportIsDrawnRowByRowThroughReflection) {
    CPaintedList list;
    ASSERT_TRUE(list.Create(
        WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        CRect(0, 0, 300, 200), &host, 1114));
    list.InsertColumn(0, "网址", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "次数", LVCFMT_LEFT, 100);
    Fill(list, {"a", "b", "c"});
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    platform::PumpUntilIdle();

    ASSERT_GE(list.rows.size(), 3u);
    CRect second;
    ASSERT_TRUE(list.GetItemRect(1, &second, LVIR_BOUNDS));
    bool drewSecondSelected = false;
    for (const CPaintedList::Row& row : list.rows) {
        if (row.id == 1) {
            drewSecondSelected = (row.state & ODS_SELECTED) != 0;
            EXPECT_EQ(CRect(row.rect), second);
        } else {
            EXPECT_EQ(row.state & ODS_SELECTED, 0u);
        }
    }
    EXPECT_TRUE(drewSecondSelected);
    EXPECT_EQ(PixelAt(list, second.left + 5, second.CenterPoint().y), kSelected);
    CRect first;
    ASSERT_TRUE(list.GetItemRect(0, &first, LVIR_BOUNDS));
    EXPECT_EQ(PixelAt(list, first.left + 5, first.CenterPoint().y), kPlain);

    UINT flags = 0;
    EXPECT_EQ(list.HitTest(CPoint(5, second.CenterPoint().y), &flags), 1);
    EXPECT_NE(flags & LVHT_ONITEM, 0u);
    LVHITTESTINFO info{};
    info.pt = CPoint(170, second.CenterPoint().y);
    EXPECT_EQ(list.SubItemHitTest(&info), 1);
    EXPECT_EQ(info.iSubItem, 1);
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_BOUNDS, cell));
    EXPECT_EQ(cell.left, second.left + 150);
    EXPECT_TRUE(list.EnsureVisible(2, FALSE));
}

}  // namespace
