#include "platform/display/KeyStroke.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "platform/windows/WindowConstants.h"

namespace platform {
namespace {

// X keycodes of a Linux keyboard: the input code plus 8.
constexpr unsigned Key(unsigned inputCode) {
    return inputCode + 8;
}

TEST(KeyStrokeTest, MainBlockKeysKeepTheirPlaceAndPcScanCode) {
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Escape, Key(1)), (KeyStroke{VK_ESCAPE, 0x01, false}));
    // Shifted, the key still is the digit key.
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_exclam, Key(2)), (KeyStroke{'1', 0x02, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_0, Key(11)), (KeyStroke{'0', 0x0B, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Return, Key(28)), (KeyStroke{VK_RETURN, 0x1C, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Control_L, Key(29)), (KeyStroke{VK_LCONTROL, 0x1D, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_colon, Key(39)), (KeyStroke{VK_OEM_1, 0x27, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_slash, Key(53)), (KeyStroke{VK_OEM_2, 0x35, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_space, Key(57)), (KeyStroke{VK_SPACE, 0x39, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_F10, Key(68)), (KeyStroke{VK_F10, 0x44, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_F12, Key(88)), (KeyStroke{VK_F12, 0x58, false}));
}

TEST(KeyStrokeTest, LettersFollowTheLayout) {
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_q, Key(16)), (KeyStroke{'Q', 0x10, false}));
    // On a French layout the key in the place of Q types A.
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_a, Key(16)), (KeyStroke{'A', 0x10, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Z, Key(17)), (KeyStroke{'Z', 0x11, false}));
}

TEST(KeyStrokeTest, ExtendedKeysCarryTheirPrefixedScanCode) {
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Control_R, Key(97)), (KeyStroke{VK_RCONTROL, 0x1D, true}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Alt_R, Key(100)), (KeyStroke{VK_RMENU, 0x38, true}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_KP_Enter, Key(96)), (KeyStroke{VK_RETURN, 0x1C, true}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Left, Key(105)), (KeyStroke{VK_LEFT, 0x4B, true}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Delete, Key(111)), (KeyStroke{VK_DELETE, 0x53, true}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Super_L, Key(125)), (KeyStroke{VK_LWIN, 0x5B, true}));
    // Pause and Num Lock share a scan code; only Num Lock is extended.
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Pause, Key(119)), (KeyStroke{VK_PAUSE, 0x45, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Num_Lock, Key(69)), (KeyStroke{VK_NUMLOCK, 0x45, true}));
}

TEST(KeyStrokeTest, KeypadFollowsNumLock) {
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_KP_7, Key(71)), (KeyStroke{VK_NUMPAD7, 0x47, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_KP_Home, Key(71)), (KeyStroke{VK_HOME, 0x47, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_KP_Delete, Key(83)), (KeyStroke{VK_DELETE, 0x53, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_KP_Decimal, Key(83)), (KeyStroke{VK_DECIMAL, 0x53, false}));
}

TEST(KeyStrokeTest, RemappedKeycodesUseTheKeysymOrNothing) {
    // Tools that type text map spare keycodes to the keysyms they need.
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_x, 250), (KeyStroke{'X', 0, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_7, 250), (KeyStroke{'7', 0, false}));
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_Return, 0), (KeyStroke{VK_RETURN, 0, false}));
    EXPECT_EQ(KeyStroke::FromX(0x4E2D /* a CJK keysym */, 250), std::nullopt);
    EXPECT_EQ(KeyStroke::FromX(GDK_KEY_eacute, 250), std::nullopt);
}

TEST(KeyStrokeTest, ProgramsKeysFindTheirXKeycode) {
    EXPECT_EQ(KeyStroke::KeycodeFor('A', 0, false), Key(30));
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_F9, 0, false), Key(67));
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_CONTROL, 0, false), Key(29));
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_RCONTROL, 0, false), Key(97));
    // The scan code chooses among the keys of the virtual key, the extended flag telling the
    // right Ctrl and the keypad's Enter apart; alone it names the key.
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_CONTROL, 0x1D, true), Key(97));
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_RETURN, 0x1C, true), Key(96));
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_RETURN, 0, false), Key(28));
    // As MapVirtualKey gives them: Pause presses Pause, not Num Lock.
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_PAUSE, 0x45, false), Key(119));
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_NUMLOCK, 0x45, true), Key(69));
    // A scan code of another key does not change the key the program named.
    EXPECT_EQ(KeyStroke::KeycodeFor('A', 0x10, false), Key(30));
    EXPECT_EQ(KeyStroke::KeycodeFor(0, 0x48, true), Key(103));
    EXPECT_EQ(KeyStroke::KeycodeFor(0, 0x48, false), Key(72));
    EXPECT_EQ(KeyStroke::KeycodeFor(VK_LEFT, 0, false), Key(105));
    EXPECT_EQ(KeyStroke::KeycodeFor(0xFF, 0, false), std::nullopt);
    EXPECT_EQ(KeyStroke::KeycodeFor(0, 0x7F, false), std::nullopt);
}

}  // namespace
}  // namespace platform
