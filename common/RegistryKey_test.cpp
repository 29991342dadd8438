#include "common/RegistryKey.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/TempFolder.h"

namespace {

const std::string kFits(254, 'f');
const std::string kTooLong(255, 'l');

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetRegistryFile(folder_.path() / "registry.dat");
        const DWORD number = 7;
        Store(HKEY_CURRENT_USER, "", "Top", "at the root");
        Store(HKEY_CURRENT_USER, "Software\\Quorra", "Where", "user");
        Store(HKEY_LOCAL_MACHINE, "Software\\Quorra", "Where", "machine");
        Store(HKEY_CURRENT_USER, "Software\\Quorra", "Text", "浏览器 home");
        Store(HKEY_CURRENT_USER, "Software\\Quorra", "Expand", "%TEMP%\\x", REG_EXPAND_SZ);
        Store(HKEY_CURRENT_USER, "Software\\Quorra", "Empty", "");
        Store(HKEY_CURRENT_USER, "Software\\Quorra", "Fits", kFits);
        Store(HKEY_CURRENT_USER, "Software\\Quorra", "TooLong", kTooLong);
        Store(HKEY_CURRENT_USER, "Software\\Quorra", "MuchTooLong", std::string(300, 'm'));
        StoreBytes("Number", REG_DWORD, &number, sizeof number);
        StoreBytes("Binary", REG_BINARY, "abc", 4);
        // Strings stored without their terminating zero.
        StoreBytes("Bare", REG_SZ, "bare", 4);
        StoreBytes("BareFull", REG_SZ, kTooLong.data(), 255);
    }

    static void Store(HKEY root, const char* subKey, const char* name, const std::string& text,
                      DWORD type = REG_SZ) {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static void StoreBytes(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quorra", 0, KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static bool KeyExists(const char* subKey) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

private:
    platform::testing::TempFolder folder_;
};

TEST_F(RegistryKeyTest, AcceptsOnlyTheFourMainRootsAndStartsAtTheCurrentUser) {
    CRegistryKey key;
    ASSERT_EQ(key.SetKey("Software\\Quorra", FALSE), 1);
    EXPECT_EQ(key.ReadString("Where", "none"), "user");

    EXPECT_EQ(key.SetRoot(HKEY_CURRENT_CONFIG), 0);
    EXPECT_EQ(key.SetRoot(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000004))), 0);
    EXPECT_EQ(key.SetRoot(nullptr), 0);
    EXPECT_EQ(key.ReadString("Where", "none"), "user");

    EXPECT_EQ(key.SetRoot(HKEY_CLASSES_ROOT), 1);
    EXPECT_EQ(key.SetRoot(HKEY_USERS), 1);
    EXPECT_EQ(key.SetRoot(HKEY_LOCAL_MACHINE), 1);
    EXPECT_EQ(key.ReadString("Where", "none"), "machine");

    // Reset goes back to the current user's root key itself.
    key.Reset();
    EXPECT_EQ(key.ReadString("Where", "none"), "none");
    EXPECT_EQ(key.ReadString("Top", "none"), "at the root");
}

TEST_F(RegistryKeyTest, SetKeyOpensOrCreatesAndKeepsThePathOnlyOnSuccess) {
    CRegistryKey key;
    ASSERT_EQ(key.SetKey("Software\\Quorra", FALSE), 1);
    EXPECT_EQ(key.LastStatus(), ERROR_SUCCESS);

    EXPECT_EQ(key.SetKey("Software\\Missing", FALSE), 0);
    EXPECT_EQ(key.LastStatus(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists("Software\\Missing"));
    EXPECT_EQ(key.ReadString("Where", "none"), "user");

    EXPECT_EQ(key.SetKey("Software\\New\\Deeper", TRUE), 1);
    EXPECT_TRUE(KeyExists("Software\\New\\Deeper"));
    EXPECT_EQ(key.ReadString("Where", "none"), "none");

    EXPECT_EQ(key.SetKey("", FALSE), 1);
    EXPECT_EQ(key.ReadString("Top", "none"), "at the root");
}

TEST_F(RegistryKeyTest, GetValueTypeGivesTheStoredTypeOrZero) {
    CRegistryKey key;
    ASSERT_EQ(key.SetKey("Software\\Quorra", FALSE), 1);
    EXPECT_EQ(key.GetValueType("Text"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(key.GetValueType("Expand"), static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(key.GetValueType("Number"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(key.LastStatus(), ERROR_SUCCESS);
    EXPECT_EQ(key.GetValueType("Missing"), 0u);
    EXPECT_EQ(key.LastStatus(), ERROR_FILE_NOT_FOUND);

    // A key deleted after it was set.
    ASSERT_EQ(key.SetKey("Software\\Gone", TRUE), 1);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Gone"), ERROR_SUCCESS);
    EXPECT_EQ(key.GetValueType("Text"), 0u);
    EXPECT_EQ(key.LastStatus(), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, ReadStringGivesStringsOfAtMost254BytesAndTheDefaultOtherwise) {
    CRegistryKey key;
    ASSERT_EQ(key.SetKey("Software\\Quorra", FALSE), 1);
    EXPECT_EQ(key.ReadString("Text", "null"), "浏览器 home");
    EXPECT_EQ(key.ReadString("Expand", "null"), "%TEMP%\\x");
    EXPECT_EQ(key.ReadString("Empty", "null"), "");
    EXPECT_EQ(key.ReadString("Bare", "null"), "bare");
    EXPECT_EQ(key.ReadString("Fits", "null"), kFits.c_str());
    EXPECT_EQ(key.LastStatus(), ERROR_SUCCESS);

    EXPECT_EQ(key.ReadString("TooLong", "null"), "null");
    EXPECT_EQ(key.LastStatus(), ERROR_MORE_DATA);
    EXPECT_EQ(key.ReadString("MuchTooLong", "null"), "null");
    // The registry hands string values out terminated, so 255 bare bytes need 256.
    EXPECT_EQ(key.ReadString("BareFull", "null"), "null");
    EXPECT_EQ(key.ReadString("Number", "null"), "null");
    EXPECT_EQ(key.ReadString("Binary", "null"), "null");
    EXPECT_EQ(key.ReadString("Missing", "null"), "null");
}

TEST_F(RegistryKeyTest, WriteStringStoresTextsOfAtMost254BytesAndKeepsTheLastStatus) {
    CRegistryKey key;
    ASSERT_EQ(key.SetKey("Software\\Quorra", FALSE), 1);
    EXPECT_EQ(key.WriteString("Where", "浏览器 elsewhere"), 1);
    EXPECT_EQ(key.ReadString("Where", "none"), "浏览器 elsewhere");
    EXPECT_EQ(key.GetValueType("Where"), static_cast<DWORD>(REG_SZ));

    // Over a value of another type, and a new value.
    EXPECT_EQ(key.WriteString("Number", ""), 1);
    EXPECT_EQ(key.GetValueType("Number"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(key.ReadString("Number", "none"), "");
    EXPECT_EQ(key.WriteString("Fresh", kFits.c_str()), 1);
    EXPECT_EQ(key.ReadString("Fresh", "none"), kFits.c_str());

    EXPECT_EQ(key.WriteString("Where", kTooLong.c_str()), 0);
    EXPECT_EQ(key.WriteString("Unseen", kTooLong.c_str()), 0);
    EXPECT_EQ(key.ReadString("Where", "none"), "浏览器 elsewhere");
    EXPECT_EQ(key.GetValueType("Unseen"), 0u);

    // A key that does not exist is not created; the status of the last query stays.
    ASSERT_EQ(key.GetValueType("Where"), static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(key.SetKey("Software\\Gone", TRUE), 1);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Gone"), ERROR_SUCCESS);
    EXPECT_EQ(key.WriteString("Where", "x"), 0);
    EXPECT_FALSE(KeyExists("Software\\Gone"));
    EXPECT_EQ(key.LastStatus(), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, DeleteValueRemovesOnlyAnExistingValue) {
    CRegistryKey key;
    ASSERT_EQ(key.SetKey("Software\\Quorra", FALSE), 1);
    EXPECT_EQ(key.DeleteValue("Where"), 1);
    EXPECT_EQ(key.GetValueType("Where"), 0u);
    EXPECT_EQ(key.DeleteValue("Where"), 0);
    EXPECT_EQ(key.ReadString("Text", "none"), "浏览器 home");
    EXPECT_EQ(key.DeleteValue("Missing"), 0);
    EXPECT_EQ(key.LastStatus(), ERROR_SUCCESS);

    // The machine's value of the same name is another value.
    ASSERT_EQ(key.SetRoot(HKEY_LOCAL_MACHINE), 1);
    EXPECT_EQ(key.ReadString("Where", "none"), "machine");
    EXPECT_EQ(key.DeleteValue("Where"), 1);
    EXPECT_EQ(key.ReadString("Where", "none"), "none");

    ASSERT_EQ(key.SetKey("Software\\Missing", TRUE), 1);
    ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Missing"), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteValue("Text"), 0);
}

}  // namespace
