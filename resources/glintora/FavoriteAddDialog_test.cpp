// The favourites dialog built from the collector's template with the real controls and run
// modally: the keys a user presses must reach the handlers the collector gives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ControlClasses.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/resources/ResourceApi.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/glintora/resource.h"

namespace platform {
namespace {

constexpr UINT kRunScript = WM_APP + 1;
constexpr BYTE kReturn = 0x0D;
constexpr BYTE kEscape = 0x1B;
constexpr BYTE kDown = 0x28;

// What the test does once the modal loop runs, and the commands the dialog received. The dialog
// ends on the add button, on OK and Cancel, and on the URL radio (so a test can see where arrows
// lead).
struct DialogRun {
    std::function<void(HWND)> script;
    std::vector<int> commands;
    bool urlCheckedOnClick = false;
};

DialogRun& Current() {
    static DialogRun run;
    return run;
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CheckRadioButton(dialog, IDC_KIND_KEYWORD, IDC_KIND_URL, IDC_KIND_KEYWORD);
            PostMessageA(dialog, kRunScript, 0, 0);
            return TRUE;
        case kRunScript:
            Current().script(dialog);
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            Current().commands.push_back(id);
            if (id == IDC_KIND_URL)
                Current().urlCheckedOnClick = IsDlgButtonChecked(dialog, IDC_KIND_URL) != 0;
            if (id == IDC_FAVORITE_OK || id == IDOK || id == IDCANCEL || id == IDC_KIND_URL)
                EndDialog(dialog, id);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

class FavoriteAddDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        RegisterControlClasses();
        Current() = DialogRun{};
    }
    void TearDown() override {
        ResetWindowSystemForTesting();
        Current() = DialogRun{};
    }

    static INT_PTR RunDialog(std::function<void(HWND)> script) {
        Current().script = std::move(script);
        return DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_FAVORITE_ADD), nullptr, Procedure, 0);
    }
    static void Focus(HWND dialog, int id) {
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
    }
    static void Press(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
    }
};

TEST_F(FavoriteAddDialogTest, EnterInTheValueEditPressesTheAddButton) {
    EXPECT_EQ(RunDialog([](HWND dialog) {
                  Focus(dialog, IDC_FAVORITE_VALUE);
                  Press(kReturn);
              }),
              IDC_FAVORITE_OK);
    const std::vector<int>& commands = Current().commands;
    EXPECT_EQ(std::count(commands.begin(), commands.end(), IDC_FAVORITE_OK), 1);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), IDOK), 0);
}

TEST_F(FavoriteAddDialogTest, EscapeCancels) {
    EXPECT_EQ(RunDialog([](HWND dialog) {
                  Focus(dialog, IDC_FAVORITE_VALUE);
                  Press(kEscape);
              }),
              IDCANCEL);
}

TEST_F(FavoriteAddDialogTest, DownArrowMovesFromTheKeywordRadioToTheUrlRadio) {
    EXPECT_EQ(RunDialog([](HWND dialog) {
                  Focus(dialog, IDC_KIND_KEYWORD);
                  Press(kDown);
              }),
              IDC_KIND_URL);
    EXPECT_TRUE(Current().urlCheckedOnClick);
}

}  // namespace
}  // namespace platform
