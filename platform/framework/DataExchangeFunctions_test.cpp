#include "platform/framework/DataExchangeFunctions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/Dialog.h"
#include "platform/framework/FrameworkDialogTest.h"
#include "platform/framework/UserException.h"
#include "platform/framework/testdata/dialog_ids.h"

namespace {

class DataExchangeTest : public platform::testing::FrameworkDialogTest {
protected:
    void SetUp() override {
        FrameworkDialogTest::SetUp();
        ASSERT_TRUE(dialog.Create(IDD_SETTINGS));
        dialog.ShowWindow(SW_SHOW);
        ::SetActiveWindow(dialog.m_hWnd);
        ::SetFocus(Item(IDC_NAME));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        FrameworkDialogTest::TearDown();
    }

    HWND Item(int id) const { return ::GetDlgItem(dialog.m_hWnd, id); }

    // One exchange in the given direction; false when it failed.
    template <typename Step>
    bool Exchange(BOOL save, Step step) {
        CDataExchange exchange(&dialog, save);
        try {
            step(&exchange);
        } catch (CUserException* failure) {
            failure->Delete();
            return false;
        }
        return true;
    }

    template <typename T>
    bool Save(const char* text, T& value) {
        ::SetWindowTextA(Item(IDC_INTERVAL), text);
        return Exchange(TRUE, [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_INTERVAL, value); });
    }

    template <typename T>
    std::string Load(T value) {
        Exchange(FALSE, [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_INTERVAL, value); });
        return Text(Item(IDC_INTERVAL));
    }

    std::vector<std::string> Prompts() {
        std::vector<std::string> texts;
        for (const auto& box : platform::TakeShownMessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    std::vector<UINT> RadioStates() const {
        std::vector<UINT> states;
        for (int id : {IDC_BOTTOM, IDC_TOP, IDC_CENTER, IDC_OTHER}) {
            states.push_back(dialog.IsDlgButtonChecked(id));
        }
        return states;
    }

    CDialog dialog{IDD_SETTINGS};
};

TEST_F(DataExchangeTest, IntegersAreOneDecimalNumberBetweenBlanksWithinTheTypesRange) {
    int value = 99;
    EXPECT_TRUE(Save("0", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(Save(" \t+5 ", value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(Save("-2147483648", value));
    EXPECT_EQ(value, -2147483647 - 1);
    EXPECT_TRUE(Save("2147483647", value));
    EXPECT_EQ(value, 2147483647);
    EXPECT_TRUE(Prompts().empty());

    value = 99;
    for (const char* refused : {"", "  ", "2147483648", "-2147483649", "1.5", "12abc", "abc", "-",
                                "+-1", "0x10", "1 2", "１２"}) {
        EXPECT_FALSE(Save(refused, value)) << refused;
        EXPECT_EQ(value, 99) << refused;
        EXPECT_EQ(Prompts(), std::vector<std::string>{"请输入一个整数。"}) << refused;
    }
}

TEST_F(DataExchangeTest, UnsignedAndLongKeepTheOriginalPlatformsRanges) {
    UINT count = 1;
    EXPECT_TRUE(Save("4294967295", count));
    EXPECT_EQ(count, 4294967295u);
    for (const char* refused : {"-1", "-0", "4294967296", "十"}) {
        EXPECT_FALSE(Save(refused, count)) << refused;
        EXPECT_EQ(Prompts(), std::vector<std::string>{"请输入一个正整数。"}) << refused;
    }
    EXPECT_EQ(count, 4294967295u);

    long size = 0;
    EXPECT_TRUE(Save("-2147483648", size));
    EXPECT_EQ(size, -2147483648L);
    EXPECT_FALSE(Save("2147483648", size));
    EXPECT_EQ(Prompts(), std::vector<std::string>{"请输入一个整数。"});
}

TEST_F(DataExchangeTest, DoublesReadWholeAndLoadWithFifteenDigits) {
    double ratio = 0;
    EXPECT_TRUE(Save(" 3.25 ", ratio));
    EXPECT_EQ(ratio, 3.25);
    EXPECT_TRUE(Save("-1e3", ratio));
    EXPECT_EQ(ratio, -1000.0);
    for (const char* refused : {"1,5", "", "inf", "nan", "1e999"}) {
        EXPECT_FALSE(Save(refused, ratio)) << refused;
        EXPECT_EQ(Prompts(), std::vector<std::string>{"请输入一个数字。"}) << refused;
    }
    EXPECT_EQ(ratio, -1000.0);

    EXPECT_EQ(Load(0.1), "0.1");
    EXPECT_EQ(Load(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(Load(-2.5e20), "-2.5e+20");
    EXPECT_EQ(Load(-15), "-15");
    EXPECT_EQ(Load(4294967295u), "4294967295");
}

TEST_F(DataExchangeTest, AFailedSaveFocusesAndSelectsTheEditButAFailedLoadMovesNothing) {
    int value = 0;
    EXPECT_FALSE(Save("十二", value));
    EXPECT_EQ(::GetFocus(), Item(IDC_INTERVAL));
    DWORD start = 9;
    DWORD end = 9;
    ::SendMessageA(Item(IDC_INTERVAL), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    Prompts();

    ::SetFocus(Item(IDC_NAME));
    EXPECT_FALSE(Exchange(FALSE, [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_INTERVAL, value);
        pDX->Fail();
    }));
    EXPECT_EQ(::GetFocus(), Item(IDC_NAME));

    // A control the template lacks fails the exchange without a message.
    EXPECT_FALSE(Exchange(TRUE, [&](CDataExchange* pDX) { DDX_Text(pDX, 4242, value); }));
    EXPECT_EQ(::GetFocus(), Item(IDC_NAME));
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(DataExchangeTest, TextLoadsOnlyWhenItDiffersAndSavesTheWholeText) {
    CString name = "张三";
    EXPECT_TRUE(Exchange(FALSE, [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_NAME, name); }));
    EXPECT_EQ(Text(Item(IDC_NAME)), "张三");
    ::SendMessageA(Item(IDC_NAME), EM_SETSEL, 2, 4);
    EXPECT_TRUE(Exchange(FALSE, [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_NAME, name); }));
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(Item(IDC_NAME), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 4u);

    ::SetWindowTextA(Item(IDC_NAME), "");
    EXPECT_TRUE(Exchange(TRUE, [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_NAME, name); }));
    EXPECT_EQ(name, "");
}

TEST_F(DataExchangeTest, MaxCharsLimitsTheEditAndCutsTheSavedValueAtACharacterBoundary) {
    CString name = "李";
    EXPECT_TRUE(Exchange(FALSE, [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_NAME, name);
        DDV_MaxChars(pDX, name, 6);
    }));
    EXPECT_EQ(::SendMessageA(Item(IDC_NAME), EM_GETLIMITTEXT, 0, 0), 6);

    struct Case {
        const char* typed;
        int limit;
        const char* saved;
    };
    for (const Case& c : {Case{"中文abc中文", 6, "中文ab"}, Case{"中文abc", 5, "中文a"},
                          Case{"ab中", 3, "ab"}, Case{"中文", 3, "中"}, Case{"中文", 4, "中文"},
                          Case{"abc", 10, "abc"}, Case{"中文", 0, ""}}) {
        ::SetWindowTextA(Item(IDC_NAME), c.typed);
        EXPECT_TRUE(Exchange(TRUE, [&](CDataExchange* pDX) {
            DDX_Text(pDX, IDC_NAME, name);
            DDV_MaxChars(pDX, name, c.limit);
        }));
        EXPECT_EQ(name, c.saved) << c.typed << " " << c.limit;
    }
    // The limit loaded into the edit stays as it was: saving never changes the control.
    EXPECT_EQ(::SendMessageA(Item(IDC_NAME), EM_GETLIMITTEXT, 0, 0), 6);
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(DataExchangeTest, MinMaxIntRefusesOutOfRangeValuesOnlyWhenSaving) {
    int value = 50;
    const auto exchange = [&](BOOL save) {
        return Exchange(save, [&](CDataExchange* pDX) {
            DDX_Text(pDX, IDC_INTERVAL, value);
            DDV_MinMaxInt(pDX, value, -1, 10);
        });
    };
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(Text(Item(IDC_INTERVAL)), "50");
    EXPECT_TRUE(Prompts().empty());

    EXPECT_FALSE(exchange(TRUE));
    EXPECT_EQ(Prompts(), std::vector<std::string>{"请输入一个介于 -1 和 10 之间的整数。"});
    EXPECT_EQ(::GetFocus(), Item(IDC_INTERVAL));

    for (const char* accepted : {"-1", "10"}) {
        ::SetWindowTextA(Item(IDC_INTERVAL), accepted);
        EXPECT_TRUE(exchange(TRUE)) << accepted;
    }
    EXPECT_EQ(value, 10);
}

TEST_F(DataExchangeTest, CheckBoxesTakeTheirThreeStates) {
    int update = BST_CHECKED;
    const auto exchange = [&](BOOL save) {
        return Exchange(save, [&](CDataExchange* pDX) { DDX_Check(pDX, IDC_UPDATE, update); });
    };
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_UPDATE), static_cast<UINT>(BST_CHECKED));
    update = 7;
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_UPDATE), static_cast<UINT>(BST_UNCHECKED));

    ::SetWindowLongA(
        Item(IDC_UPDATE), GWL_STYLE,
        (::GetWindowLongA(Item(IDC_UPDATE), GWL_STYLE) & ~BS_TYPEMASK) | BS_AUTO3STATE);
    dialog.CheckDlgButton(IDC_UPDATE, BST_INDETERMINATE);
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(update, BST_INDETERMINATE);
}

TEST_F(DataExchangeTest, RadioGroupsRunToTheNextGroupAndCountOnlyRadioButtons) {
    int position = 2;
    const auto exchange = [&](BOOL save) {
        return Exchange(save, [&](CDataExchange* pDX) { DDX_Radio(pDX, IDC_BOTTOM, position); });
    };
    dialog.CheckDlgButton(IDC_OTHER, BST_CHECKED);
    EXPECT_TRUE(exchange(FALSE));
    // The static between the second and third buttons does not take an index.
    EXPECT_EQ(RadioStates(), (std::vector<UINT>{0, 0, 1, 1}));

    position = 3;
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(RadioStates(), (std::vector<UINT>{0, 0, 0, 1}));
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(position, -1);

    dialog.CheckDlgButton(IDC_BOTTOM, BST_CHECKED);
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(position, 0);

    position = -1;
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(RadioStates(), (std::vector<UINT>{0, 0, 0, 1}));
}

TEST_F(DataExchangeTest, SelectionIndexesOfComboAndListBoxes) {
    int unit = 1;
    int skin = 2;
    const auto exchange = [&](BOOL save) {
        return Exchange(save, [&](CDataExchange* pDX) {
            DDX_CBIndex(pDX, IDC_UNIT, unit);
            DDX_LBIndex(pDX, IDC_SKINS, skin);
        });
    };
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(Text(Item(IDC_UNIT)), "分钟");
    EXPECT_EQ(::SendMessageA(Item(IDC_SKINS), LB_GETCURSEL, 0, 0), 2);

    ::SendMessageA(Item(IDC_UNIT), CB_SETCURSEL, 0, 0);
    ::SendMessageA(Item(IDC_SKINS), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(skin, -1);

    unit = -1;
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(::SendMessageA(Item(IDC_UNIT), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(Item(IDC_UNIT)), "");
}

TEST_F(DataExchangeTest, ComboStringsSelectByPrefixOrShowTheValueTyped) {
    CString skin = "经典";
    const auto exchange = [&](BOOL save) {
        return Exchange(save, [&](CDataExchange* pDX) { DDX_CBString(pDX, IDC_SKIN, skin); });
    };
    // The first item that starts with the value: "经典蓝" comes before "经典".
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(::SendMessageA(Item(IDC_SKIN), CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(skin, "经典蓝");

    skin = "blue";
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(::SendMessageA(Item(IDC_SKIN), CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(skin, "Blue");

    skin = "自定义";
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(Text(Item(IDC_SKIN)), "自定义");
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(skin, "自定义");

    // A drop-down list shows only its items: the selected one's text, or nothing.
    CString unit = "分";
    EXPECT_TRUE(Exchange(FALSE, [&](CDataExchange* pDX) { DDX_CBString(pDX, IDC_UNIT, unit); }));
    EXPECT_EQ(::SendMessageA(Item(IDC_UNIT), CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(Exchange(TRUE, [&](CDataExchange* pDX) { DDX_CBString(pDX, IDC_UNIT, unit); }));
    EXPECT_EQ(unit, "分钟");
    ::SendMessageA(Item(IDC_UNIT), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_TRUE(Exchange(TRUE, [&](CDataExchange* pDX) { DDX_CBString(pDX, IDC_UNIT, unit); }));
    EXPECT_EQ(unit, "");
}

TEST_F(DataExchangeTest, ListStringsSelectByPrefixOrClearTheSelection) {
    CString skin = "AUTUMN";
    const auto exchange = [&](BOOL save) {
        return Exchange(save, [&](CDataExchange* pDX) { DDX_LBString(pDX, IDC_SKINS, skin); });
    };
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(skin, "Autumn");

    skin = "水";
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(skin, "水墨");

    skin = "冬";
    EXPECT_TRUE(exchange(FALSE));
    EXPECT_EQ(::SendMessageA(Item(IDC_SKINS), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_TRUE(exchange(TRUE));
    EXPECT_EQ(skin, "");
}

TEST_F(DataExchangeTest, MaxCharsLimitsAComboBoxThroughItsOwnMessage) {
    CString skin;
    EXPECT_TRUE(Exchange(FALSE, [&](CDataExchange* pDX) {
        DDX_CBString(pDX, IDC_SKIN, skin);
        DDV_MaxChars(pDX, skin, 4);
    }));
    HWND edit = ::GetWindow(Item(IDC_SKIN), GW_CHILD);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 4);
}

TEST_F(DataExchangeTest, ControlsAreSubclassedOnceAndATakenControlFails) {
    CWnd interval;
    CWnd other;
    EXPECT_TRUE(Exchange(FALSE, [&](CDataExchange* pDX) {
        DDX_Control(pDX, IDC_INTERVAL, interval);
        DDX_Control(pDX, IDC_INTERVAL, interval);
    }));
    EXPECT_EQ(interval.m_hWnd, Item(IDC_INTERVAL));
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_INTERVAL)), &interval);

    EXPECT_FALSE(
        Exchange(FALSE, [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_INTERVAL, other); }));
    EXPECT_EQ(other.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_INTERVAL)), &interval);
    interval.UnsubclassWindow();
}

}  // namespace
