#include "platform/webcontrol/ShellUIHelper.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/files/PathResolution.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryStore.h"
#include "platform/testing/TempFolder.h"
#include "platform/webcontrol/WebControlClasses.h"

namespace platform::webcontrol {
namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ShellUIHelperTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* home = std::getenv("HOME")) {
            previousHome = home;
        }
        setenv("HOME", (folder.path() / "home").c_str(), 1);
        previousRegistry = RegistryStore::Instance().file();
        RegistryStore::Instance().SetFile(folder.path() / "registry.dat");
        CoInitialize(nullptr);
        RegisterWebControlClasses();
        ASSERT_EQ(CoCreateInstance(CLSID_ShellUIHelper, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IShellUIHelper, reinterpret_cast<void**>(&helper)),
                  S_OK);
    }
    void TearDown() override {
        helper->Release();
        CoUninitialize();
        unsetenv("TEST_FAVORITES");
        RegistryStore::Instance().SetFile(previousRegistry);
        if (previousHome) {
            setenv("HOME", previousHome->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
    }
    static std::string ShellFavorites() {
        char path[MAX_PATH] = {};
        EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, FALSE));
        return path;
    }
    // Moves the favourites to `relative` in the temporary folder through the registry.
    void SetFavoritesFolder(const std::string& relative = "Favorites") {
        folder.WriteFile(relative + "/keep.txt", "");
        setenv("TEST_FAVORITES", WindowsPathOf(folder.path()).ToString().c_str(), 1);
        SetFavoritesValue("%TEST_FAVORITES%\\" + relative);
    }
    static void SetFavoritesValue(const std::string& value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Favorites", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    HRESULT Add(const char16_t* url, const char16_t* title) {
        BSTR address = SysAllocString(url);
        VARIANT name;
        VariantInit(&name);
        if (title != nullptr) {
            name.vt = VT_BSTR;
            name.bstrVal = SysAllocString(title);
        }
        HRESULT result = helper->AddFavorite(address, &name);
        VariantClear(&name);
        SysFreeString(address);
        return result;
    }

    platform::testing::TempFolder folder;
    std::optional<std::string> previousHome;
    std::filesystem::path previousRegistry;
    IShellUIHelper* helper = nullptr;
};

TEST_F(ShellUIHelperTest, AddFavoriteWritesAnInternetShortcutNamedAfterTheTitle) {
    SetFavoritesFolder();
    EXPECT_EQ(Add(u"http://example.com/a?b", u"Example: a/b"), S_OK);
    EXPECT_EQ(folder.ReadFile("Favorites/Example_ a_b.url"),
              "[InternetShortcut]\r\nURL=http://example.com/a?b\r\n");
    EXPECT_EQ(Add(u"http://example.com/c", nullptr), S_OK);
    EXPECT_EQ(folder.ReadFile("Favorites/http___example.com_c.url"),
              "[InternetShortcut]\r\nURL=http://example.com/c\r\n");
}

TEST_F(ShellUIHelperTest, AFreshProfileGetsTheShellsFavoritesFolder) {
    EXPECT_EQ(Add(u"http://example.com/", u"X"), S_OK);
    EXPECT_EQ(folder.ReadFile("home/Favorites/X.url"),
              "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    EXPECT_EQ(ShellFavorites(), WindowsPathOf(folder.path() / "home" / "Favorites").ToString());
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key), ERROR_SUCCESS);
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    EXPECT_EQ(
        RegQueryValueExA(key, "Favorites", nullptr, &type, reinterpret_cast<BYTE*>(value), &size),
        ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_STREQ(value, "%USERPROFILE%\\Favorites");
}

TEST_F(ShellUIHelperTest, AMovedFolderIsTheShellsToo) {
    SetFavoritesFolder("Moved");
    EXPECT_EQ(Add(u"http://example.com/", u"X"), S_OK);
    EXPECT_EQ(folder.ReadFile("Moved/X.url"), "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    EXPECT_EQ(ShellFavorites(), WindowsPathOf(folder.path() / "Moved").ToString());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "home" / "Favorites"));
}

TEST_F(ShellUIHelperTest, WithoutAFavoritesFolderNothingIsWritten) {
    // A folder on a drive that does not exist cannot be made.
    SetFavoritesValue("Q:\\Favorites");
    EXPECT_EQ(Add(u"http://example.com/", u"X"), E_FAIL);
    BSTR empty = nullptr;
    EXPECT_EQ(helper->AddFavorite(empty, nullptr), E_INVALIDARG);
}

TEST_F(ShellUIHelperTest, AddFavoriteByDispatchId) {
    SetFavoritesFolder();
    LPOLESTR names[] = {const_cast<LPOLESTR>(u"AddFavorite")};
    DISPID id = 0;
    ASSERT_EQ(helper->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, DISPID_ADDFAVORITE);
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    VariantInit(&arguments[1]);
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = SysAllocString(u"http://d/");
    arguments[0].vt = VT_BSTR;
    arguments[0].bstrVal = SysAllocString(u"D");
    DISPPARAMS parameters{arguments, nullptr, 2, 0};
    EXPECT_EQ(
        helper->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr),
        S_OK);
    VariantClear(&arguments[0]);
    VariantClear(&arguments[1]);
    EXPECT_EQ(folder.ReadFile("Favorites/D.url"), "[InternetShortcut]\r\nURL=http://d/\r\n");
}

TEST(ShellUIHelperNameTest, ShortcutNamesKeepDoubleByteCharactersWhole) {
    EXPECT_EQ(ShellUIHelper::ShortcutName("\x81\x5Cx:y"), "\x81\x5Cx_y");
    EXPECT_EQ(ShellUIHelper::ShortcutName("a\tb|c"), "a_b_c");
    std::string longTitle(179, 'a');
    longTitle += "\xB0\xA1";
    EXPECT_EQ(ShellUIHelper::ShortcutName(longTitle), std::string(179, 'a'));
}

}  // namespace
}  // namespace platform::webcontrol
