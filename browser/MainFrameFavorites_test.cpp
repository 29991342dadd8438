#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/MainFrame.h"
#include "browser/MainFrameCommandsTest.h"
#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/FileDialogApi.h"
#include "platform/text/Encoding.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "resources/quorra/resource.h"

namespace {

using namespace browser_testing;

class MainFrameFavoritesTest : public MainFrameCommandsTest {
protected:
    void SetUp() override {
        MainFrameCommandsTest::SetUp();
        SetEnvironment("QUORRA_TEST_FOLDER", platform::ToWindowsPath(folder.path()).c_str());
        SetFavorites(REG_EXPAND_SZ, "%QUORRA_TEST_FOLDER%\\fav");
        std::filesystem::create_directories(folder.path() / "fav");
    }
    static void SetFavorites(DWORD type, const std::string& value) {
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
                          "Folders",
                          0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ::RegSetValueExA(key, "Favorites", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(key);
    }
    // A shortcut (GBK name) in the favourites folder to a page titled with that name.
    std::string Shortcut(const std::string& relative) {
        const std::string page =
            Page("page" + std::to_string(++pages) + ".htm", "<title>" + relative + "</title>");
        folder.WriteFile("fav/" + platform::GbkToUtf8(relative) + ".url",
                         "[InternetShortcut]\r\nURL=" + page + "\r\n");
        return page;
    }
    HMENU Favorites() const {
        return ::GetSubMenu(::GetSubMenu(::GetSubMenu(frame->m_pMainMenu->GetSafeHmenu(), 0), 3),
                            7);
    }
    // The texts of the menu's items, "name >" for a folder.
    static std::vector<std::string> Names(HMENU menu) {
        std::vector<std::string> names;
        for (const MenuItem& item : ItemsOf(menu)) {
            names.push_back(item.text + (item.id == static_cast<UINT>(-1) ? " >" : ""));
        }
        return names;
    }
    std::string UrlOf(HMENU menu, int position) const {
        const UINT id = ::GetMenuItemID(menu, position);
        return std::string(frame->m_favoriteUrls.at(id - CMainFrame::kFirstFavorite));
    }

    int pages = 0;
};

TEST_F(MainFrameFavoritesTest, FoldersComeFirstThenShortcutsEachSortedIgnoringCase) {
    const std::string z = Shortcut("z");
    const std::string y = Shortcut("Y");
    const std::string one = Shortcut("b/one");
    const std::string two = Shortcut("A/two");
    Shortcut("c/deeper/three");
    Shortcut("一二三四五六七八九十一二三四五六七八九十一");
    std::filesystem::create_directories(folder.path() / "fav/empty/inner");
    folder.WriteFile("fav/notes.txt", "");
    folder.WriteFile("fav/UPPER.URL", "[InternetShortcut]\r\nURL=http://upper/\r\n");
    folder.WriteFile("fav/.hidden.url", "[InternetShortcut]\r\nURL=http://hidden/\r\n");
    Start();
    const HMENU favorites = Favorites();
    EXPECT_EQ(Names(favorites),
              (std::vector<std::string>{"A >", "b >", "c >", "Y", "z",
                                        "一二三四五六七八九十一二三四五六七八..."}));
    EXPECT_EQ(::GetMenuItemID(favorites, 3), CMainFrame::kFirstFavorite);
    EXPECT_EQ(UrlOf(favorites, 3), y);
    EXPECT_EQ(UrlOf(favorites, 4), z);
    EXPECT_EQ(UrlOf(::GetSubMenu(favorites, 0), 0), two);
    EXPECT_EQ(UrlOf(::GetSubMenu(favorites, 1), 0), one);
    EXPECT_EQ(Names(::GetSubMenu(favorites, 2)), std::vector<std::string>{"deeper >"});

    // The favourites button drops the list below itself; a choice opens in the current tab.
    CRect shown;
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ClickToolButton(ID_FAVORITES);
    platform::PumpUntilIdle();
    EXPECT_EQ(shown.TopLeft(),
              CPoint(ToolButton(ID_FAVORITES).left, ToolButton(ID_FAVORITES).bottom + 1));
    EXPECT_EQ(Title(), "Y");
    frame->menuSteps.push_back([&](HWND) { Keys({VK_DOWN, VK_RIGHT}); });
    frame->menuSteps.push_back([&](HWND) { Keys({VK_RETURN}); });
    ClickToolButton(ID_FAVORITES);
    platform::PumpUntilIdle();
    EXPECT_EQ(Title(), "A/two");
    EXPECT_EQ(frame->GetTabCount(), 1);
}

TEST_F(MainFrameFavoritesTest, AddingAndOrganizingReadTheFolderAgain) {
    Shortcut("z");
    Start();
    Load("added.htm", "Added");
    Command(ID_ADD_FAVORITE);
    EXPECT_EQ(folder.ReadFile("fav/Added.url"),
              "[InternetShortcut]\r\nURL=" + Address("added.htm") + "\r\n");
    EXPECT_EQ(Names(Favorites()), (std::vector<std::string>{"Added", "z"}));

    // Without the shell's organiser the folder is only read again.
    Shortcut("m");
    for (int i = 0; i < 520; ++i) {
        folder.WriteFile("fav/many/" + std::to_string(1000 + i) + ".url",
                         "[InternetShortcut]\r\nURL=http://many/\r\n");
    }
    Command(ID_ORGANIZE_FAVORITES);
    EXPECT_TRUE(boxes.empty());
    const HMENU favorites = Favorites();
    ASSERT_EQ(::GetMenuItemCount(favorites), 4);
    EXPECT_EQ(Names(favorites)[1], "Added");
    // No more items than favourite commands.
    const HMENU many = ::GetSubMenu(favorites, 0);
    EXPECT_EQ(::GetMenuItemCount(many), 512 - 3);
    EXPECT_EQ(::GetMenuItemID(many, 512 - 4), CMainFrame::kLastFavorite);

    // An empty value names no folder: nothing is listed, not the root of the drive.
    SetFavorites(REG_SZ, "");
    Command(ID_ORGANIZE_FAVORITES);
    EXPECT_EQ(::GetMenuItemCount(Favorites()), 0);

    // The organiser's folder: the shell's, else the Windows folder's after a message.
    SetFavorites(REG_SZ, programFolder + "fav");
    EXPECT_EQ(std::string(frame->GetFavoritesFolder()), programFolder + "fav");
    SetFavorites(REG_SZ, programFolder + "missing");
    char windows[MAX_PATH] = {};
    ASSERT_GT(::GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    EXPECT_EQ(std::string(frame->GetFavoritesFolder()), std::string(windows) + "\\favorites");
    EXPECT_EQ(boxes, std::vector<std::string>{"Can't get path of favorite."});
}

}  // namespace
