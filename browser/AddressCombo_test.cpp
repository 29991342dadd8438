#include "browser/AddressCombo.h"

#include "browser/BrowserDataStore.h"
#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

class AddressComboTest : public ChromeTest {
protected:
    void SetUp() override {
        ChromeTest::SetUp();
        ASSERT_TRUE(
            combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                         CRect(10, 10, 300, 210), frame, 1004));
        frame->addressBox = &combo;
        store.visitedUrls = {"http://c.example/", "http://b.example/", "http://a.example/"};
        combo.RefillFromVisited(store);
        combo.SetFocus();
        platform::PumpUntilIdle();
    }

    static void Press(BYTE key) {
        platform::InjectKey(key, true);
        platform::InjectKey(key, false);
        platform::PumpUntilIdle();
    }
    static void PressWithControl(BYTE key) {
        platform::InjectKey(VK_CONTROL, true);
        Press(key);
        platform::InjectKey(VK_CONTROL, false);
        platform::PumpUntilIdle();
    }
    std::string Text() {
        CString text;
        combo.GetWindowText(text);
        return std::string(text);
    }
    std::vector<std::string> Items() {
        std::vector<std::string> items;
        for (int index = 0; index < combo.GetCount(); ++index) {
            CString text;
            combo.GetLBText(index, text);
            items.emplace_back(text);
        }
        return items;
    }

    CBrowserDataStore store;
    CAddressCombo combo;
};

TEST_F(AddressComboTest, TheListIsTheVisitedAddressesNewestFirst) {
    EXPECT_EQ(Items(), (std::vector<std::string>{"http://c.example/", "http://b.example/",
                                                 "http://a.example/"}));
    combo.SetWindowText("typed");
    store.visitedUrls = {"http://d.example/"};
    combo.RefillFromVisited(store);
    EXPECT_EQ(Items(), std::vector<std::string>{"http://d.example/"});
    EXPECT_EQ(Text(), "typed");
}

TEST_F(AddressComboTest, AnOpenListIsNotRefilled) {
    combo.ShowDropDown(TRUE);
    store.visitedUrls = {"http://d.example/"};
    combo.RefillFromVisited(store);
    EXPECT_EQ(combo.GetCount(), 3);
}

TEST_F(AddressComboTest, TypingALetterOpensTheListAndKeepsTheText) {
    EXPECT_FALSE(combo.GetDroppedState());
    Press('H');
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(Text(), "h");
    Press('T');
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(Text(), "ht");
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(2, 2)));
}

TEST_F(AddressComboTest, ModifierAndMovementKeysDoNotOpenTheList) {
    for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_CAPITAL, VK_END, VK_HOME}) {
        Press(key);
        EXPECT_FALSE(combo.GetDroppedState()) << int(key);
    }
    // Caps Lock pressed once above; press it again so later tests type lower case.
    Press(VK_CAPITAL);
}

TEST_F(AddressComboTest, BackspaceInAnEmptyBoxClosesTheList) {
    Press('A');
    ASSERT_TRUE(combo.GetDroppedState());
    Press(VK_BACK);
    EXPECT_EQ(Text(), "");
    EXPECT_TRUE(combo.GetDroppedState());
    Press(VK_BACK);
    EXPECT_FALSE(combo.GetDroppedState());
}

TEST_F(AddressComboTest, EnterClosesTheListAndOpensTheTypedText) {
    for (BYTE key : {'W', 'W', 'W'}) {
        Press(key);
    }
    ASSERT_TRUE(combo.GetDroppedState());
    Press(VK_RETURN);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(frame->calls, std::vector<std::string>{"GoToAddress www"});
    EXPECT_EQ(Text(), "www");
}

TEST_F(AddressComboTest, EscapeClosesTheList) {
    Press('Q');
    ASSERT_TRUE(combo.GetDroppedState());
    Press(VK_ESCAPE);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_TRUE(frame->calls.empty());
}

TEST_F(AddressComboTest, ControlShortcutsSelectCutAndPasteWithoutOpeningTheList) {
    combo.SetWindowText("http://x.example/");
    combo.SetEditSel(3, 3);
    PressWithControl('A');
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(0, 17)));
    EXPECT_FALSE(combo.GetDroppedState());
    PressWithControl('X');
    EXPECT_EQ(Text(), "");
    PressWithControl('V');
    EXPECT_EQ(Text(), "http://x.example/");
    PressWithControl('A');
    PressWithControl('C');
    combo.SetWindowText("");
    PressWithControl('V');
    EXPECT_EQ(Text(), "http://x.example/");
    EXPECT_FALSE(combo.GetDroppedState());
}

}  // namespace
