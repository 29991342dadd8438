// A dialog built from a template by the dialog manager, holding one of each control, left in the
// test output for a person to look at, with a few pixels checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListView.h"
#include "platform/controls/Progress.h"
#include "platform/controls/RichEdit.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/Static.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/controls/TreeView.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/drawing/IconApi.h"
#include "platform/drawing/Surface.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

enum : DWORD {
    kPush = 1001,
    kCheck,
    kRadioOne,
    kRadioTwo,
    kLabel,
    kIcon,
    kSingleEdit,
    kMultiEdit,
    kDropDown,
    kDropList,
    kList,
    kListView,
    kTree,
    kProgress,
    kScrollBar,
    kRichEdit,
    kTab,
    kToolBar,
    kStatus,
    kGroup,
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

DialogControl Control(DWORD id, const char* className, DWORD style, RECT units,
                      const char* text = "") {
    DialogControl control;
    control.id = id;
    control.className = className;
    // Fields get the sunken edge instead of a flat border, as a resource editor writes them.
    if (style & WS_BORDER) {
        style &= ~static_cast<DWORD>(WS_BORDER);
        control.exStyle = WS_EX_CLIENTEDGE;
    }
    control.style = kChild | style;
    control.x = units.left;
    control.y = units.top;
    control.cx = units.right;
    control.cy = units.bottom;
    control.text = text;
    return control;
}

DialogTemplate EveryControl() {
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    dialog.x = 10;
    dialog.y = 10;
    dialog.extended = true;
    dialog.cx = 420;
    dialog.cy = 282;
    dialog.caption = "每种控件各一个";
    dialog.hasFont = true;
    dialog.pointSize = 9;
    dialog.faceName = "宋体";
    auto& c = dialog.controls;
    c.push_back(Control(kGroup, "Button", BS_GROUPBOX, {7, 4, 130, 84}, "按钮"));
    c.push_back(Control(kPush, "Button", BS_PUSHBUTTON | WS_TABSTOP, {14, 17, 55, 14}, "普通按钮"));
    c.push_back(Control(IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, {75, 17, 55, 14}, "默认"));
    c.push_back(
        Control(kCheck, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, {14, 37, 110, 10}, "复选框"));
    c.push_back(Control(kRadioOne, "Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                        {14, 51, 110, 10}, "单选按钮一"));
    c.push_back(Control(kRadioTwo, "Button", BS_AUTORADIOBUTTON, {14, 65, 110, 10}, "单选按钮二"));
    c.push_back(Control(kLabel, "Static", SS_LEFT | WS_GROUP, {7, 97, 80, 8}, "静态文字："));
    c.push_back(Control(kIcon, "Static", SS_ICON, {110, 92, 21, 20}));
    c.push_back(Control(kSingleEdit, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                        {7, 116, 130, 13}, "单行编辑框"));
    c.push_back(
        Control(kMultiEdit, "Edit",
                ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                {7, 134, 130, 42}));
    c.push_back(Control(kDropDown, "ComboBox",
                        CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                        {7, 181, 130, 80}));
    c.push_back(Control(kDropList, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                        {7, 199, 130, 80}));
    c.push_back(Control(kList, "ListBox", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                        {7, 217, 130, 44}));
    c.push_back(Control(kListView, WC_LISTVIEWA,
                        LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP,
                        {145, 7, 140, 80}));
    c.push_back(Control(kTree, WC_TREEVIEWA,
                        TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                            WS_BORDER | WS_TABSTOP,
                        {145, 93, 140, 75}));
    c.push_back(Control(kProgress, PROGRESS_CLASSA, 0, {145, 174, 140, 10}));
    c.push_back(Control(kScrollBar, "ScrollBar", SBS_HORZ, {145, 190, 140, 10}));
    c.push_back(Control(kRichEdit, RICHEDIT_CLASS10A,
                        ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                        {145, 206, 140, 55}));
    c.push_back(Control(kTab, WC_TABCONTROLA, WS_TABSTOP, {293, 7, 120, 80}));
    c.push_back(
        Control(kToolBar, TOOLBARCLASSNAMEA,
                CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT | TBSTYLE_LIST,
                {293, 93, 120, 16}));
    c.push_back(
        Control(IDCANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, {363, 247, 50, 14}, "取消"));
    c.push_back(Control(kStatus, STATUSCLASSNAMEA, 0, {0, 0, 0, 0}, "就绪"));
    return dialog;
}

INT_PTR CALLBACK DialogProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A 32 x 32 icon: a blue disc on a transparent ground.
HICON MakeIcon() {
    HDC screen = GetDC(nullptr);
    HBITMAP color = CreateCompatibleBitmap(screen, 32, 32);
    HBITMAP mask = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    const RECT all{0, 0, 32, 32};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, 2, 2, 30, 30);
    SelectObject(dc, color);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HBRUSH blue = CreateSolidBrush(RGB(0, 80, 200));
    SelectObject(dc, blue);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, 2, 2, 31, 31);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(blue);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

void Fill(HWND dialog) {
    CheckDlgButton(dialog, kCheck, BST_CHECKED);
    CheckRadioButton(dialog, kRadioOne, kRadioTwo, kRadioOne);
    SendDlgItemMessageA(dialog, kIcon, STM_SETICON, reinterpret_cast<WPARAM>(MakeIcon()), 0);
    SetDlgItemTextA(dialog, kMultiEdit,
                    "多行编辑框\r\n第二行\r\n第三行\r\n第四行\r\n第五行\r\n第六行\r\n第七行");
    for (const char* text : {"北京", "上海", "广州"}) {
        SendDlgItemMessageA(dialog, kDropDown, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendDlgItemMessageA(dialog, kDropList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendDlgItemMessageA(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SetDlgItemTextA(dialog, kDropDown, "可编辑组合框");
    SendDlgItemMessageA(dialog, kDropList, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, 0, 0);

    HWND list = GetDlgItem(dialog, kListView);
    const char* heads[] = {"名称", "大小"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(heads[i]);
        column.cx = 100;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][2] = {{"文档.txt", "12 KB"}, {"图片.bmp", "640 KB"}, {"音乐.wav", "3 MB"}};
    for (int r = 0; r < 3; ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(rows[r][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[r][1]);
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(r),
                     reinterpret_cast<LPARAM>(&item));
    }
    LVITEMA selected{};
    selected.state = selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));

    HWND tree = GetDlgItem(dialog, kTree);
    auto add = [tree](HTREEITEM parent, const char* text) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(text);
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    };
    HTREEITEM root = add(TVI_ROOT, "我的电脑");
    add(add(root, "本地磁盘 (C:)"), "文档");
    add(root, "本地磁盘 (D:)");
    add(TVI_ROOT, "网络");
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));

    SendDlgItemMessageA(dialog, kProgress, PBM_SETPOS, 60, 0);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 30, 0};
    SetScrollInfo(GetDlgItem(dialog, kScrollBar), SB_CTL, &info, TRUE);
    SetDlgItemTextA(dialog, kRichEdit, "丰富文本编辑框\r\nRich edit text");

    HWND tabs = GetDlgItem(dialog, kTab);
    const char* names[] = {"常规", "高级", "关于"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }

    HWND bar = GetDlgItem(dialog, kToolBar);
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const char* labels[] = {"新建", "打开", "保存"};
    TBBUTTON buttons[3]{};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 2001 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        buttons[i].iString = reinterpret_cast<INT_PTR>(labels[i]);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));

    HWND status = GetDlgItem(dialog, kStatus);
    const int parts[] = {200, -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("就绪"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("第二栏"));
}

class ControlsPictureTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        RegisterControlClasses();
    }
};

TEST_F(ControlsPictureTest, DialogWithEveryControlLooksLikeAnOrdinaryDialog) {
    HWND dialog =
        CreateDialogFromTemplate(nullptr, EveryControl(), {}, nullptr, DialogProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    Fill(dialog);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(GetDlgItem(dialog, kSingleEdit));
    PumpUntilIdle();

    const std::filesystem::path folder = PROJECT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteWindowPng(dialog, folder / "controls-dialog.png"));

    // Every control is there, inside the dialog's client area.
    RECT client{};
    GetClientRect(dialog, &client);
    for (DWORD id = kPush; id <= kGroup; ++id) {
        HWND control = GetDlgItem(dialog, static_cast<int>(id));
        ASSERT_NE(control, nullptr) << id;
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_GE(rect.left, 0) << id;
        EXPECT_GE(rect.top, 0) << id;
        EXPECT_LE(rect.right, client.right) << id;
        EXPECT_LE(rect.bottom, client.bottom) << id;
    }

    const Surface picture = CaptureWindow(dialog);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    RECT window{};
    GetWindowRect(dialog, &window);
    const POINT offset{origin.x - window.left, origin.y - window.top};
    auto at = [&](HWND control, int x, int y) {
        RECT rect{};
        GetWindowRect(control, &rect);
        return ColorFromPixel(picture.At(rect.left - window.left + x, rect.top - window.top + y));
    };
    // The dialog's face, the edit's white field, the list view's selected row, the progress
    // bar's filled start and the tab strip's face.
    EXPECT_EQ(ColorFromPixel(picture.At(offset.x + client.right - 4, offset.y + 150)),
              GetSysColor(COLOR_BTNFACE));
    HWND edit = GetDlgItem(dialog, kSingleEdit);
    RECT editRect{};
    GetClientRect(edit, &editRect);
    EXPECT_EQ(at(edit, editRect.right - 2, editRect.bottom - 2), GetSysColor(COLOR_WINDOW));
    HWND list = GetDlgItem(dialog, kListView);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    // Without the focus the selected row's label keeps a face-coloured mark.
    EXPECT_EQ(at(list, 2 + 8, 2 + row.top + 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(list, 2 + 150, 2 + row.top + 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(at(GetDlgItem(dialog, kProgress), 4, 4), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(at(GetDlgItem(dialog, kProgress), 0, 0), GetSysColor(COLOR_BTNSHADOW));
    // The multi-line edit overflows: its bar has a thumb.
    EXPECT_EQ(GetScrollPos(GetDlgItem(dialog, kMultiEdit), SB_VERT), 0);
    SCROLLINFO bar{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(GetDlgItem(dialog, kMultiEdit), SB_VERT, &bar));
    EXPECT_EQ(bar.nMax, 6);
    EXPECT_LT(bar.nPage, 7U);
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace platform
