// Test support for the desktop manager's dialog templates: the dialog ids, the style bits the
// checks read, and checks of controls and labels by id and text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/resources/ResourceApi.h"
#include "resources/deskvane/resource.h"
#include "resources/testing/ResourceChecks.h"

namespace platform::testing {

using namespace resource_checks;

constexpr DWORD kIdOk = 1;
constexpr DWORD kIdCancel = 2;
constexpr DWORD kVisible = 0x10000000;
constexpr DWORD kChild = 0x40000000;
constexpr DWORD kPopup = 0x80000000;
constexpr DWORD kCaption = 0x00C00000;
constexpr DWORD kSysMenu = 0x00080000;
constexpr DWORD kMinimizeBox = 0x00020000;
constexpr DWORD kModalFrame = 0x80;
constexpr DWORD kAppWindow = 0x00040000;
constexpr DWORD kVScroll = 0x00200000;
constexpr DWORD kGroup = 0x00020000;
constexpr DWORD kButtonType = 0xF;
constexpr DWORD kPushButton = 0x0;
constexpr DWORD kDefPush = 0x1;
constexpr DWORD kAutoCheck = 0x3;
constexpr DWORD kAutoRadio = 0x9;
constexpr DWORD kOwnerDraw = 0xB;
constexpr DWORD kComboType = 0x3;
constexpr DWORD kDropDown = 0x2;
constexpr DWORD kDropDownList = 0x3;
constexpr DWORD kComboSort = 0x100;
constexpr DWORD kListNotify = 0x1;
constexpr DWORD kListSort = 0x2;
constexpr DWORD kListOwnerDrawVariable = 0x20;
constexpr DWORD kListHasStrings = 0x40;
constexpr DWORD kMultiLine = 0x4;
constexpr DWORD kPassword = 0x20;
constexpr DWORD kReadOnly = 0x800;
constexpr DWORD kWantReturn = 0x1000;
constexpr DWORD kReport = 0x1;
constexpr DWORD kViewType = 0x3;
constexpr DWORD kSingleSel = 0x4;
constexpr DWORD kOwnerDrawFixed = 0x400;
constexpr DWORD kTreeButtons = 0x1;
constexpr DWORD kTreeLines = 0x2;
constexpr DWORD kTreeLinesAtRoot = 0x4;
constexpr DWORD kTreeShowSelAlways = 0x20;

const char* const kBrowserClass = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

const int kPages[] = {IDD_CALENDAR,     IDD_SYSTEM_TOOLS, IDD_OPTIONS,   IDD_ABOUT,
                      IDD_LEDGER,       IDD_LOOKUP,       IDD_DIARY,     IDD_ADDRESS_BOOK,
                      IDD_SHUTDOWN,     IDD_BACKUP,       IDD_PROCESSES, IDD_HOTKEY_PICKER,
                      IDD_SCREENSHOT,   IDD_BOSS_KEY,     IDD_CD_KEYS,   IDD_LEDGER_DETAIL,
                      IDD_LEDGER_ENTRY, IDD_DATE_PICKER,  IDD_POST_CODE, IDD_MOBILE,
                      IDD_ID_CARD,      IDD_IDIOM};
const int kModalDialogs[] = {IDD_PLAN_EDIT, IDD_PLAN_QUERY, IDD_MONTH_PICKER,
                             IDD_NEW_USER,  IDD_LOGIN,      IDD_NOTE_EDITOR};

inline std::vector<int> AllDialogs() {
    std::vector<int> all = {IDD_MAIN};
    all.insert(all.end(), std::begin(kPages), std::end(kPages));
    all.insert(all.end(), std::begin(kModalDialogs), std::end(kModalDialogs));
    return all;
}

// What a template control must be. Hint buttons are owner-drawn buttons; the other kinds are
// checked by their class and, for buttons, their type.
enum class Kind {
    Hint,
    Push,
    DefPush,
    Check,
    Radio,
    Edit,
    Combo,
    List,
    ListView,
    Tree,
    Rich,
    Browser,
    Static
};

struct Expected {
    DWORD id;
    Kind kind;
    const char* text;
    bool visible = true;
};

inline void ExpectControls(const DialogTemplate& dialog, int dialogId,
                           const std::vector<Expected>& expected) {
    for (const Expected& want : expected) {
        const DialogControl* control = ById(dialog, want.id);
        ASSERT_NE(control, nullptr) << "dialog " << dialogId << " lacks control " << want.id;
        std::string where =
            "dialog " + std::to_string(dialogId) + " control " + std::to_string(want.id);
        EXPECT_EQ(control->text, want.text) << where;
        EXPECT_EQ(!IsHidden(*control), want.visible) << where;
        DWORD type = control->style & kButtonType;
        switch (want.kind) {
            case Kind::Hint:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kOwnerDraw) << where;
                break;
            case Kind::Push:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kPushButton) << where;
                break;
            case Kind::DefPush:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kDefPush) << where;
                break;
            case Kind::Check:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kAutoCheck) << where;
                break;
            case Kind::Radio:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kAutoRadio) << where;
                break;
            case Kind::Edit:
                EXPECT_EQ(control->className, "Edit") << where;
                break;
            case Kind::Combo:
                EXPECT_EQ(control->className, "ComboBox") << where;
                break;
            case Kind::List:
                EXPECT_EQ(control->className, "ListBox") << where;
                break;
            case Kind::ListView:
                EXPECT_EQ(control->className, "SysListView32") << where;
                EXPECT_EQ(control->style & kViewType, kReport) << where;
                EXPECT_TRUE(control->style & kOwnerDrawFixed) << where;
                break;
            case Kind::Tree:
                EXPECT_EQ(control->className, "SysTreeView32") << where;
                EXPECT_EQ(control->style & (kTreeButtons | kTreeLines | kTreeLinesAtRoot),
                          kTreeButtons | kTreeLines | kTreeLinesAtRoot)
                    << where;
                break;
            case Kind::Rich:
                EXPECT_EQ(control->className, "RICHEDIT") << where;
                EXPECT_EQ(control->style & (kMultiLine | kWantReturn | kVScroll),
                          kMultiLine | kWantReturn | kVScroll)
                    << where;
                break;
            case Kind::Browser:
                EXPECT_EQ(control->className, kBrowserClass) << where;
                break;
            case Kind::Static:
                EXPECT_EQ(control->className, "Static") << where;
                break;
        }
    }
}

// Labels and group boxes without an id of their own, each with exactly this text.
inline void ExpectLabels(const DialogTemplate& dialog, int dialogId,
                         const std::vector<std::string>& labels, bool visible = true) {
    for (const std::string& text : labels) {
        const DialogControl* label = ByText(dialog, text);
        ASSERT_NE(label, nullptr) << "dialog " << dialogId << " lacks \"" << text << "\"";
        EXPECT_TRUE(label->className == "Static" || IsGroupBox(*label)) << text;
        EXPECT_EQ(!IsHidden(*label), visible) << text;
    }
}

inline void ExpectGroupBoxes(const DialogTemplate& dialog, const std::vector<std::string>& groups) {
    for (const std::string& text : groups) {
        const DialogControl* group = ByText(dialog, text);
        ASSERT_NE(group, nullptr) << text;
        EXPECT_TRUE(IsGroupBox(*group)) << text;
    }
}

inline DWORD ComboType(const DialogTemplate& dialog, DWORD id) {
    const DialogControl* combo = ById(dialog, id);
    return combo ? combo->style & kComboType : 0;
}

}  // namespace platform::testing
