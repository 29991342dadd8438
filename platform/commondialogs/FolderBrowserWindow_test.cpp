#include <gtest/gtest.h>

#include <cstring>

#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/commondialogs/CommonDialogTest.h"
#include "platform/commondialogs/FolderBrowserWindow.h"
#include "platform/commondialogs/ItemIdList.h"
#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/controls/TreeView.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

using testing::CommonDialogTestOwner;

class FolderBrowserWindowTest : public testing::MappedDriveTest {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        Write("docs/sub/a.txt", "a");
        Write("docs/Beta/inner/b.txt", "b");
        Write("docs/alpha/c.txt", "c");
        Write("docs/.hidden/d.txt", "d");
        Write("home/x.txt", "x");
        SetCurrentDirectoryA("C:\\docs");
        TakeCommonDialogRequests();
    }
    void TearDown() override {
        TakeCommonDialogRequests();
        ResetWindowSystemForTesting();
    }

    // The texts of the tree's items in display order, children indented by two blanks.
    static std::vector<std::string> Items(HWND tree) {
        std::vector<std::string> texts;
        Walk(tree, reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)),
             0, texts);
        return texts;
    }
    static void Walk(HWND tree, HTREEITEM item, int depth, std::vector<std::string>& texts) {
        while (item != nullptr) {
            char text[MAX_PATH] = {};
            TVITEMA data{};
            data.mask = TVIF_TEXT | TVIF_STATE;
            data.hItem = item;
            data.pszText = text;
            data.cchTextMax = sizeof text;
            data.stateMask = TVIS_EXPANDED;
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
            texts.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + text);
            if (data.state & TVIS_EXPANDED) {
                Walk(tree,
                     reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD,
                                                              reinterpret_cast<LPARAM>(item))),
                     depth + 1, texts);
            }
            item = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
        }
    }

    static std::string PathOf(LPITEMIDLIST pidl) {
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(pidl, path);
        return path;
    }
};

TEST_F(FolderBrowserWindowTest, KeysWalkTheTreeAndEnterChoosesTheSelectedFolder) {
    CommonDialogTestOwner owner;
    std::vector<std::string> shown;
    std::vector<std::string> expanded;
    std::string title;
    bool ownerDisabled = false;
    owner.WhenShown([&](HWND dialog) {
        title = CommonDialogTestOwner::Text(GetDlgItem(dialog, FOLDER_BROWSER_TITLE));
        ownerDisabled = !IsWindowEnabled(owner.hwnd());
        HWND tree = GetDlgItem(dialog, FOLDER_BROWSER_TREE);
        shown = Items(tree);
        // Right opens "docs", Down goes to its first sub-folder, and again to the next.
        CommonDialogTestOwner::Tap(VK_RIGHT);
        CommonDialogTestOwner::Tap(VK_DOWN);
        CommonDialogTestOwner::Tap(VK_DOWN);
        PumpUntilIdle();
        expanded = Items(tree);
        CommonDialogTestOwner::Tap(VK_RETURN);
    });
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner.hwnd();
    info.lpszTitle = "请选择目录";
    info.pszDisplayName = name;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    ASSERT_NE(pidl, nullptr);
    EXPECT_EQ(PathOf(pidl), "C:\\docs\\Beta");
    EXPECT_STREQ(name, "Beta");
    CoTaskMemFree(pidl);

    EXPECT_EQ(title, "请选择目录");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    // The way to the current folder is open; the folder itself is selected but not yet opened.
    EXPECT_EQ(shown, (std::vector<std::string>{"C:\\", "  docs", "  home"}));
    EXPECT_EQ(expanded, (std::vector<std::string>{"C:\\", "  docs", "    alpha", "    Beta",
                                                  "    sub", "  home"}));
    ASSERT_EQ(TakeCommonDialogRequests().size(), 1u);
}

TEST_F(FolderBrowserWindowTest, OkTakesTheStartingFolderAndEscCancels) {
    CommonDialogTestOwner owner;
    owner.WhenShown([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); });
    BROWSEINFOA info{};
    info.hwndOwner = owner.hwnd();
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), "C:\\docs");
    LPMALLOC allocator = nullptr;
    SHGetMalloc(&allocator);
    allocator->Free(pidl);

    owner.WhenShown([](HWND) { CommonDialogTestOwner::Tap(VK_ESCAPE); });
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
}

TEST_F(FolderBrowserWindowTest, AClickSelectsAFolderBelowTheRoot) {
    LPITEMIDLIST root = ItemIdList::Make("C:\\docs");
    CommonDialogTestOwner owner;
    std::vector<std::string> shown;
    owner.WhenShown([&](HWND dialog) {
        HWND tree = GetDlgItem(dialog, FOLDER_BROWSER_TREE);
        shown = Items(tree);
        // The root is open at the start, so its children can be clicked.
        auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);
        SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
        POINT point{rect.left + 3, (rect.top + rect.bottom) / 2};
        ClientToScreen(tree, &point);
        InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
        InjectMouse(MOUSEEVENTF_LEFTUP, point);
        PumpUntilIdle();
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    BROWSEINFOA info{};
    info.hwndOwner = owner.hwnd();
    info.pidlRoot = root;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), "C:\\docs\\Beta");
    EXPECT_EQ(shown, (std::vector<std::string>{"docs", "  alpha", "  Beta", "  sub"}));
    ILFree(pidl);
    ILFree(root);
}

}  // namespace
}  // namespace platform
