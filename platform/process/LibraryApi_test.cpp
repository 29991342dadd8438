#include "platform/process/LibraryApi.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

class LibraryTest : public testing::Test {
protected:
    LibraryTest() {
        platform::OverrideModuleFileName(platform::ToWindowsPath(temp_.path() / "prog.exe"));
    }
    ~LibraryTest() override { platform::ClearModuleFileNameOverride(); }

    void Install(const std::string& relative) {
        std::filesystem::create_directories((temp_.path() / relative).parent_path());
        std::filesystem::copy_file(SAMPLE_PLUGIN_PATH, temp_.path() / relative);
    }

    platform::testing::TempFolder temp_;
};

using AddFunction = int (*)(int, int);
using CountFunction = int (*)();

TEST_F(LibraryTest, DllNameFindsTheLinuxLibraryNextToTheProgram) {
    Install("libhookpad.so");
    HMODULE module = LoadLibraryA("HookPad.DLL");
    ASSERT_NE(module, nullptr);
    auto add = reinterpret_cast<AddFunction>(GetProcAddress(module, "SampleAdd"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(2, 3), 5);
    EXPECT_EQ(GetModuleHandleA("hookpad.dll"), module);

    EXPECT_EQ(GetProcAddress(module, "Missing"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(module, reinterpret_cast<LPCSTR>(1)), nullptr);

    // A second load shares the first one's state and needs a second free.
    auto count = reinterpret_cast<CountFunction>(GetProcAddress(module, "SampleCount"));
    EXPECT_EQ(count(), 1);
    HMODULE again = LoadLibraryA("hookpad.dll");
    EXPECT_EQ(again, module);
    EXPECT_EQ(reinterpret_cast<CountFunction>(GetProcAddress(again, "SampleCount"))(), 2);
    EXPECT_TRUE(FreeLibrary(again));
    EXPECT_EQ(GetModuleHandleA("hookpad.dll"), module);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleA("hookpad.dll"), nullptr);
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GetProcAddress(module, "SampleAdd"), nullptr);
}

TEST_F(LibraryTest, OtherFormsAndFoldersAreSearchedInOrder) {
    Install("lib/shdocvw.so");
    HMODULE fromLib = LoadLibraryA("shdocvw.dll");
    ASSERT_NE(fromLib, nullptr);
    FreeLibrary(fromLib);

    const std::string plugins = platform::ToWindowsPath(temp_.path()) + "\\plugins\\";
    Install("plugins/exact.name");
    HMODULE exact = LoadLibraryA((plugins + "exact.name").c_str());
    ASSERT_NE(exact, nullptr);
    FreeLibrary(exact);
    // A name with a folder is looked for only in that folder.
    EXPECT_EQ(LoadLibraryA((plugins + "shdocvw.dll").c_str()), nullptr);
}

TEST_F(LibraryTest, MissingAndBrokenLibrariesFail) {
    EXPECT_EQ(LoadLibraryA("hookpad.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // The original system's own libraries are not provided: a program that tries one learns so.
    EXPECT_EQ(LoadLibraryA("shdocvw.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LoadLibraryA("libc.so.6"), nullptr);
    temp_.WriteFile("broken.so", "not a library");
    EXPECT_EQ(LoadLibraryA("broken.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    EXPECT_EQ(LoadLibraryA(""), nullptr);
    EXPECT_EQ(GetModuleHandleA("never.dll"), nullptr);
}

TEST_F(LibraryTest, ProcessModuleFindsLinkedSymbols) {
    EXPECT_EQ(GetModuleHandleA(nullptr), platform::ProcessModule());
    EXPECT_NE(GetProcAddress(GetModuleHandleA(nullptr), "malloc"), nullptr);
}

}  // namespace
