// A picture of the list view, tree view and rich edit side by side, left in the test output for a
// person to look at, with a few pixels checked.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/controls/ListView.h"
#include "platform/controls/RichEdit.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/ViewTest.h"
#include "platform/drawing/Surface.h"

namespace platform::testing {
namespace {

class ViewsPictureTest : public ViewTest {};

TEST_F(ViewsPictureTest, ListTreeAndRichEditDrawAnOrdinaryDialog) {
    InstallScreen();
    RegisterTreeViewClass();
    RegisterRichEditClass();
    SetWindowPos(parent_, nullptr, 20, 20, 760, 320, SWP_NOZORDER);
    HWND list =
        CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                        8, 8, 300, 200, parent_, reinterpret_cast<HMENU>(1007), nullptr, nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const char* heads[] = {"访问时间", "网页标题", "网址"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(heads[i]);
        column.cx = 100;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][3] = {{"2024年03月15日 09:00", "首页", "http://a.example/"},
                             {"2024年03月15日 09:05", "新闻", "http://b.example/"},
                             {"2024年03月15日 09:10", "Search", "http://c.example/"}};
    for (int r = 0; r < 3; ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(rows[r][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 3; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<char*>(rows[r][c]);
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(r),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    LVITEMA state{};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));

    HWND tree = CreateWindowExA(
        0, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        316, 8, 180, 200, parent_, reinterpret_cast<HMENU>(1050), nullptr, nullptr);
    auto add = [&](HTREEITEM parent, const char* text) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(text);
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    };
    HTREEITEM year = add(TVI_ROOT, "2024年");
    HTREEITEM month = add(year, "03月");
    add(month, "15日  09:00 开会");
    HTREEITEM leaf = add(month, "16日  10:30 出差");
    add(TVI_ROOT, "2025年");
    add(year, "04月");
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(leaf));

    HWND edit = CreateWindowExA(0, RICHEDIT_CLASS10A, "", WS_CHILD | WS_VISIBLE | 0x0004, 504, 8,
                                230, 200, parent_, reinterpret_cast<HMENU>(1083), nullptr, nullptr);
    SetWindowTextA(edit,
                   "笔记编辑器\r\n粗体 Bold text\r\n居中的一行\r\n"
                   "这是一段很长的中文文字，用来看看自动换行是不是在编辑框的宽度处折行。"
                   "Long English words wrap at spaces too.");
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_BOLD | CFM_COLOR | CFM_SIZE;
    format.dwEffects = CFE_BOLD;
    format.crTextColor = RGB(200, 0, 0);
    format.yHeight = 14 * 20;
    CHARRANGE range{12, 26};
    SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageA(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    range = CHARRANGE{30, 30};
    SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    PARAFORMAT paragraph{};
    paragraph.cbSize = sizeof(paragraph);
    paragraph.dwMask = PFM_ALIGNMENT;
    paragraph.wAlignment = PFA_CENTER;
    SendMessageA(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
    SendMessageA(edit, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 230));
    SetFocus(list);
    PumpUntilIdle();

    const std::filesystem::path folder = PROJECT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteWindowPng(parent_, folder / "views.png"));

    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const Surface listPicture = CaptureWindow(list);
    EXPECT_EQ(ColorFromPixel(listPicture.At(250, row.top + 2)), GetSysColor(COLOR_HIGHLIGHT));
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(ColorFromPixel(CaptureWindow(header).At(50, 2)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorFromPixel(CaptureWindow(edit).At(220, 190)), RGB(255, 255, 230));
}

}  // namespace
}  // namespace platform::testing
