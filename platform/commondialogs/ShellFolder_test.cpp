#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/commondialogs/FolderTree.h"
#include "platform/commondialogs/ItemIdList.h"
#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/commondialogs/SpecialFolders.h"
#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"
#include "platform/registry/Registry.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ShellFolderTest : public testing::MappedDriveTest {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        TakeCommonDialogRequests();
        Write("docs/sub/a.txt", "a");
        Write("docs/Beta/b.txt", "b");
        Write("docs/alpha/c.txt", "c");
        Write("docs/.hidden/d.txt", "d");
        Write("docs/file.txt", "f");
        Write("home/Documents/x", "x");
        SetCurrentDirectoryA("C:\\docs");
        if (const char* home = std::getenv("HOME")) {
            savedHome_ = home;
        }
        setenv("HOME", (root_ / "home").c_str(), 1);
        SetRegistryFile(temp_.path() / "registry.dat");
    }
    void TearDown() override {
        SetRegistryFile({});
        if (savedHome_) {
            setenv("HOME", savedHome_->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
        SetCommonDialogAnswerer({});
        TakeCommonDialogRequests();
        ResetWindowSystemForTesting();
    }

    static void Answer(std::string path) {
        SetCommonDialogAnswerer([path](const CommonDialogRequest&) {
            return path.empty() ? CommonDialogAnswer::Cancel() : CommonDialogAnswer::Path(path);
        });
    }

    static std::string PathOf(LPCITEMIDLIST pidl) {
        char path[MAX_PATH];
        std::memset(path, 'x', sizeof path);
        EXPECT_TRUE(SHGetPathFromIDListA(pidl, path));
        return path;
    }

    std::optional<std::string> savedHome_;
};

TEST_F(ShellFolderTest, AnItemListHoldsThePathAndEndsWithAnEmptyItem) {
    LPITEMIDLIST pidl = ItemIdList::Make("C:\\docs");
    ASSERT_NE(pidl, nullptr);
    const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
    EXPECT_EQ(pidl->mkid.cb, 9);
    EXPECT_EQ(std::memcmp(bytes + 2, "C:\\docs", 7), 0);
    EXPECT_EQ(bytes[9], 0);
    EXPECT_EQ(bytes[10], 0);
    EXPECT_EQ(ItemIdList::PathOf(pidl), std::optional<std::string>("C:\\docs"));
    CoTaskMemFree(pidl);

    LPITEMIDLIST empty = ItemIdList::MakeEmpty();
    EXPECT_EQ(empty->mkid.cb, 0);
    EXPECT_EQ(ItemIdList::PathOf(empty), std::optional<std::string>(""));
    // The empty list is the desktop.
    EXPECT_EQ(PathOf(empty), "C:\\home\\Desktop");
    ILFree(empty);

    EXPECT_EQ(ItemIdList::PathOf(nullptr), std::nullopt);
    char path[MAX_PATH] = "old";
    EXPECT_FALSE(SHGetPathFromIDListA(nullptr, path));
    EXPECT_STREQ(path, "");
    EXPECT_EQ(ItemIdList::Make(std::string(70000, 'a')), nullptr);
}

TEST_F(ShellFolderTest, AnAnsweredBrowserGivesTheFolderAndItsName) {
    Answer("sub");
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.lpszTitle = "请选择目录";
    info.pszDisplayName = name;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    ASSERT_NE(pidl, nullptr);
    EXPECT_EQ(PathOf(pidl), "C:\\docs\\sub");
    EXPECT_STREQ(name, "sub");
    // Freed through the shell's allocator, as the programs do.
    LPMALLOC allocator = nullptr;
    ASSERT_EQ(SHGetMalloc(&allocator), S_OK);
    allocator->Free(pidl);
    allocator->Release();

    const auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, CommonDialogKind::Folder);
    EXPECT_EQ(requests[0].title, "请选择目录");
    EXPECT_EQ(requests[0].initialFolder, "C:\\docs");
    EXPECT_EQ(requests[0].flags, 0u);
}

TEST_F(ShellFolderTest, TrailingSeparatorsAndDriveRoots) {
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.pszDisplayName = name;
    Answer("C:\\docs\\alpha\\");
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), "C:\\docs\\alpha");
    ILFree(pidl);
    Answer("..\\..");
    pidl = SHBrowseForFolderA(&info);
    EXPECT_EQ(PathOf(pidl), "C:\\");
    EXPECT_STREQ(name, "C:");
    CoTaskMemFree(pidl);
}

TEST_F(ShellFolderTest, CancelsAndMissingFoldersGiveNoList) {
    BROWSEINFOA info{};
    Answer("");
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    Answer("C:\\docs\\missing");
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    Answer("C:\\docs\\file.txt");
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    EXPECT_EQ(SHBrowseForFolderA(nullptr), nullptr);
    EXPECT_EQ(TakeCommonDialogRequests().size(), 3u);
}

TEST(FolderTree, TheChainLeadsFromTheRootToTheOpenFolder) {
    const WindowsPath root('C', {"docs"}, true);
    const auto chain = FolderTree::Chain(root, WindowsPath('C', {"DOCS", "sub", "deep"}, true));
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[0].ToString(), "C:\\docs");
    // Below the root the names are the open folder's own.
    EXPECT_EQ(chain[1].ToString(), "C:\\docs\\sub");
    EXPECT_EQ(chain[2].ToString(), "C:\\docs\\sub\\deep");
    // A folder outside the root opens the root.
    EXPECT_EQ(FolderTree::Chain(root, WindowsPath('C', {"other"})).size(), 1u);
    EXPECT_EQ(FolderTree::Chain(root, WindowsPath('D', {"docs"})).size(), 1u);
    EXPECT_EQ(FolderTree::Chain(WindowsPath('C', {}), WindowsPath('C', {})).size(), 1u);

    EXPECT_TRUE(FolderTree::Contains(WindowsPath('C', {}), WindowsPath('C', {"a"})));
    EXPECT_FALSE(FolderTree::Contains(WindowsPath('C', {"a"}), WindowsPath('C', {})));
    EXPECT_FALSE(FolderTree::Contains(WindowsPath('C', {"ab"}), WindowsPath('C', {"a", "b"})));
    EXPECT_EQ(FolderTree::NameOf(WindowsPath('C', {})), "C:\\");
    EXPECT_EQ(FolderTree::NameOf(WindowsPath('C', {"docs", "中文"})), "中文");
}

TEST_F(ShellFolderTest, SpecialFoldersLiveUnderHome) {
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE));
    EXPECT_STREQ(path, "C:\\home\\Documents");
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROFILE, FALSE));
    EXPECT_STREQ(path, "C:\\home");

    // A missing folder is only found when it may be created.
    EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, FALSE));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(fs::exists(OnDisk("home/Favorites")));
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, TRUE));
    EXPECT_STREQ(path, "C:\\home\\Favorites");
    EXPECT_TRUE(fs::is_directory(OnDisk("home/Favorites")));
    EXPECT_TRUE(
        SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, FALSE));
    EXPECT_STREQ(path, "C:\\home\\.local\\opt");

    EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, 0x0003, TRUE));
    EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, nullptr, CSIDL_PERSONAL, FALSE));
}

TEST_F(ShellFolderTest, AFreshRegistryIsSeededWithTheDefaultsAsTheyAreAskedFor) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, TRUE));
    EXPECT_STREQ(path, "C:\\home\\Favorites");
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key), ERROR_SUCCESS);
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    ASSERT_EQ(
        RegQueryValueExA(key, "Favorites", nullptr, &type, reinterpret_cast<BYTE*>(value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(std::string(value, size), std::string("%USERPROFILE%\\Favorites", 24));
    // Only what was asked for is written.
    EXPECT_EQ(RegQueryValueExA(key, "Personal", nullptr, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);

    // The value follows the profile, as an expandable string does.
    Write("other/Favorites/keep", "k");
    setenv("HOME", OnDisk("other").c_str(), 1);
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, FALSE));
    EXPECT_STREQ(path, "C:\\other\\Favorites");

    // A value that is not a string is left as it is; the default holds meanwhile.
    HKEY writable = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &writable, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 7;
    RegSetValueExA(writable, "My Music", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegCloseKey(writable);
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_MYMUSIC, TRUE));
    EXPECT_STREQ(path, "C:\\other\\Music");
    size = sizeof value;
    EXPECT_EQ(
        RegQueryValueExA(key, "My Music", nullptr, &type, reinterpret_cast<BYTE*>(value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    // A program's start writes the rest, as a fresh profile has them, and keeps what is there.
    platform::SpecialFolders::SeedRegistry();
    size = sizeof value;
    ASSERT_EQ(
        RegQueryValueExA(key, "Personal", nullptr, &type, reinterpret_cast<BYTE*>(value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::string(value, size), std::string("%USERPROFILE%\\Documents", 24));
    EXPECT_EQ(RegQueryValueExA(key, "My Music", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    RegCloseKey(key);
}

TEST_F(ShellFolderTest, TheRegistryCanMoveASpecialFolder) {
    Write("elsewhere/fav/keep", "k");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char value[] = "C:\\elsewhere\\fav";
    ASSERT_EQ(RegSetValueExA(key, "Favorites", 0, REG_EXPAND_SZ,
                             reinterpret_cast<const BYTE*>(value), sizeof value),
              ERROR_SUCCESS);
    RegCloseKey(key);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, FALSE));
    EXPECT_STREQ(path, "C:\\elsewhere\\fav");
    // Folders the registry does not name stay under home.
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE));
    EXPECT_STREQ(path, "C:\\home\\Documents");
}

TEST_F(ShellFolderTest, SpecialFolderLocationsAreItemLists) {
    LPITEMIDLIST pidl = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &pidl), S_OK);
    EXPECT_EQ(PathOf(pidl), "C:\\home\\Documents");
    ILFree(pidl);
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &pidl), S_OK);
    EXPECT_EQ(pidl->mkid.cb, 0);
    ILFree(pidl);
    EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_MYMUSIC, &pidl), E_FAIL);
    EXPECT_EQ(pidl, nullptr);
    EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, nullptr), E_INVALIDARG);
}

TEST_F(ShellFolderTest, ARootListBoundsTheBrowser) {
    LPITEMIDLIST root = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PROFILE, &root), S_OK);
    BROWSEINFOA info{};
    info.pidlRoot = root;
    Answer("Documents");
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    // The current folder is outside the root, so the browser opens at the root.
    EXPECT_EQ(PathOf(pidl), "C:\\home\\Documents");
    EXPECT_EQ(TakeCommonDialogRequests().at(0).initialFolder, "C:\\home");
    ILFree(pidl);
    ILFree(root);
}

}  // namespace
}  // namespace platform
