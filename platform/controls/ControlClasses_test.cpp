#include "platform/controls/ControlClasses.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "platform/controls/ListView.h"
#include "platform/controls/Progress.h"
#include "platform/controls/ReBar.h"
#include "platform/controls/RichEdit.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/controls/ToolTip.h"
#include "platform/controls/TreeView.h"
#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

constexpr const char* kStandard[] = {"Button",   "Static",    "Edit",     "ListBox",
                                     "ComboBox", "ComboLBox", "ScrollBar"};

bool Registered(const char* name) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    return GetClassInfoExA(nullptr, name, &info) != 0;
}

// Exits with 0 when exactly the classes in `expected` of `names` are registered, otherwise with
// the position of the first name that disagrees (plus one).
[[noreturn]] void ExitWithRegistrations(std::initializer_list<const char*> names,
                                        std::initializer_list<const char*> expected) {
    int position = 1;
    for (const char* name : names) {
        bool wanted = false;
        for (const char* one : expected) {
            wanted = wanted || std::string_view(one) == name;
        }
        if (Registered(name) != wanted) {
            std::exit(position);
        }
        ++position;
    }
    std::exit(0);
}

const std::initializer_list<const char*> kCommon = {
    WC_LISTVIEWA,   "SysHeader32",     WC_TREEVIEWA,    TOOLBARCLASSNAMEA, STATUSCLASSNAMEA,
    WC_TABCONTROLA, TOOLTIPS_CLASSA,   PROGRESS_CLASSA, REBARCLASSNAMEA,   "Button",
    "Edit",         RICHEDIT_CLASS10A, "#32768"};

class ControlClassesTest : public testing::WindowTest {
protected:
    void SetUp() override {
        // Each process registers classes once for good, so the flags are checked in a fresh one.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        WindowTest::SetUp();
    }
};

// Registers with `flags` and exits as ExitWithRegistrations does.
[[noreturn]] void InitAndCheck(DWORD flags, std::initializer_list<const char*> expected) {
    const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), flags};
    if (!InitCommonControlsEx(&init)) {
        std::exit(100);
    }
    ExitWithRegistrations(kCommon, expected);
}

TEST_F(ControlClassesTest, EveryFlagRegistersItsOwnClassesOnly) {
    EXPECT_EXIT(InitAndCheck(ICC_TAB_CLASSES, {WC_TABCONTROLA, TOOLTIPS_CLASSA}),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(InitAndCheck(ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS,
                             {WC_LISTVIEWA, "SysHeader32", PROGRESS_CLASSA}),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        InitAndCheck(ICC_BAR_CLASSES | ICC_COOL_CLASSES,
                     {TOOLBARCLASSNAMEA, STATUSCLASSNAMEA, TOOLTIPS_CLASSA, REBARCLASSNAMEA}),
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(InitAndCheck(ICC_TREEVIEW_CLASSES, {WC_TREEVIEWA, TOOLTIPS_CLASSA}),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(InitAndCheck(ICC_STANDARD_CLASSES | ICC_DATE_CLASSES, {"Button", "Edit"}),
                ::testing::ExitedWithCode(0), "");
}

[[noreturn]] void InitAllOldStyle() {
    InitCommonControls();
    ExitWithRegistrations(
        kCommon, {WC_LISTVIEWA, "SysHeader32", WC_TREEVIEWA, TOOLBARCLASSNAMEA, STATUSCLASSNAMEA,
                  WC_TABCONTROLA, TOOLTIPS_CLASSA, PROGRESS_CLASSA});
}

TEST_F(ControlClassesTest, InitCommonControlsRegistersTheWin95Classes) {
    EXPECT_EXIT(InitAllOldStyle(), ::testing::ExitedWithCode(0), "");
}

[[noreturn]] void RefuseBadArguments() {
    const INITCOMMONCONTROLSEX shortSize{sizeof(DWORD), ICC_WIN95_CLASSES};
    if (InitCommonControlsEx(nullptr) != FALSE || InitCommonControlsEx(&shortSize) != FALSE) {
        std::exit(100);
    }
    ExitWithRegistrations(kCommon, {});
}

TEST_F(ControlClassesTest, BadArgumentsRegisterNothing) {
    EXPECT_EXIT(RefuseBadArguments(), ::testing::ExitedWithCode(0), "");
}

TEST_F(ControlClassesTest, StartUpRegistrationMakesEveryClassCreatable) {
    RegisterControlClasses();
    RegisterControlClasses();
    HWND parent = TopLevel();
    for (const char* name : kStandard) {
        EXPECT_TRUE(Registered(name)) << name;
    }
    for (const char* name : {WC_LISTVIEWA, "SysHeader32", WC_TREEVIEWA, TOOLBARCLASSNAMEA,
                             STATUSCLASSNAMEA, WC_TABCONTROLA, TOOLTIPS_CLASSA, PROGRESS_CLASSA,
                             REBARCLASSNAMEA, RICHEDIT_CLASS10A, RICHEDIT_CLASSA, "#32768"}) {
        EXPECT_TRUE(Registered(name)) << name;
    }
    for (const char* name :
         {"Button", "Static", "Edit", "ListBox", "ComboBox", "ScrollBar", WC_LISTVIEWA,
          WC_TREEVIEWA, WC_TABCONTROLA, PROGRESS_CLASSA, RICHEDIT_CLASS10A}) {
        HWND child = CreateWindowExA(0, name, "", WS_CHILD, 0, 0, 100, 100, parent, nullptr,
                                     nullptr, nullptr);
        EXPECT_NE(child, nullptr) << name;
        DestroyWindow(child);
    }
    // The window bars answer a press once the start-up has run.
    HWND scrolled = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 100,
                                    100, parent, nullptr, nullptr, nullptr);
    SetScrollRange(scrolled, SB_VERT, 0, 50, FALSE);
    EXPECT_EQ(GetScrollPos(scrolled, SB_VERT), 0);
    EXPECT_EQ(WindowScrollState(scrolled, SB_VERT).max, 50);
}

}  // namespace
}  // namespace platform
