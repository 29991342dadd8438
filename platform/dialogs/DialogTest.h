// Test support: small stand-ins for the standard controls, registered under their class names for
// the tests of the dialog manager only (the real controls live in their own library), a dialog
// procedure that records what it gets, and a fixture that gives each test a fresh window system.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::testing {

struct DialogEvent {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text;  // the string a message carried, where it carries one
};

class DialogEvents {
public:
    static std::vector<DialogEvent>& All() {
        static std::vector<DialogEvent> events;
        return events;
    }
    static void Add(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, std::string text = {}) {
        All().push_back(DialogEvent{hwnd, message, wParam, lParam, std::move(text)});
    }
    static std::vector<DialogEvent> Of(UINT message) {
        std::vector<DialogEvent> picked;
        for (const DialogEvent& event : All()) {
            if (event.message == message) {
                picked.push_back(event);
            }
        }
        return picked;
    }
    // The command ids the dialog procedure received, in order.
    static std::vector<int> Commands() {
        std::vector<int> ids;
        for (const DialogEvent& event : Of(WM_COMMAND)) {
            ids.push_back(LOWORD(event.wParam));
        }
        return ids;
    }
};

inline constexpr DWORD kTestCheckBox = 0x3;       // BS_AUTOCHECKBOX
inline constexpr DWORD kTestGroupBox = 0x7;       // BS_GROUPBOX
inline constexpr DWORD kTestRadio = 0x9;          // BS_AUTORADIOBUTTON
inline constexpr DWORD kTestMultiLine = 0x0004;   // ES_MULTILINE
inline constexpr DWORD kTestWantReturn = 0x1000;  // ES_WANTRETURN

inline LRESULT CALLBACK TestButtonProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD type = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & 0xF;
    switch (message) {
        case WM_GETDLGCODE:
            switch (type) {
                case 0x0:
                    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
                case 0x1:
                    return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
                case kTestGroupBox:
                    return DLGC_STATIC;
                case kTestRadio:
                    return DLGC_BUTTON | DLGC_RADIOBUTTON;
                default:
                    return DLGC_BUTTON;
            }
        case 0x00F4:  // BM_SETSTYLE
            DialogEvents::Add(hwnd, message, wParam, lParam);
            SetWindowLongA(hwnd, GWL_STYLE,
                           static_cast<LONG>((GetWindowLongA(hwnd, GWL_STYLE) & ~0xFL) |
                                             static_cast<LONG>(wParam & 0xF)));
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            return 0;
        case 0x00F5:  // BM_CLICK
        case WM_LBUTTONUP:
            DialogEvents::Add(hwnd, message, wParam, lParam);
            SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0),
                         reinterpret_cast<LPARAM>(hwnd));
            return 0;
        case WM_SETFONT:
            DialogEvents::Add(hwnd, message, wParam, lParam);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

inline LRESULT CALLBACK TestEditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS |
                   ((style & (kTestMultiLine | kTestWantReturn)) ==
                            (kTestMultiLine | kTestWantReturn)
                        ? DLGC_WANTALLKEYS
                        : 0);
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            return 0;
        case WM_CHAR:
        case WM_KEYDOWN:
        case 0x00B1:  // EM_SETSEL
        case WM_SETFONT:
            DialogEvents::Add(hwnd, message, wParam, lParam);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

inline LRESULT CALLBACK TestStaticProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) {
        return DLGC_STATIC;
    }
    if (message == WM_SETFONT) {
        DialogEvents::Add(hwnd, message, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline LRESULT CALLBACK TestComboProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case 0x0143:  // CB_ADDSTRING
            DialogEvents::Add(hwnd, message, wParam, lParam, reinterpret_cast<const char*>(lParam));
            return static_cast<LRESULT>(DialogEvents::Of(message).size() - 1);
        case WM_SETFONT:
            DialogEvents::Add(hwnd, message, wParam, lParam);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// What the recording dialog procedure does besides recording: its WM_INITDIALOG answer, and
// handlers a test adds for chosen messages (the procedure then returns TRUE).
struct DialogScript {
    INT_PTR initAnswer = TRUE;
    std::function<void(HWND)> onInit;
    std::map<UINT, std::function<void(HWND, WPARAM, LPARAM)>> handlers;
    bool endOnOkCancel = true;

    static DialogScript& Get() {
        static DialogScript script;
        return script;
    }
};

inline INT_PTR CALLBACK RecordingDialogProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    DialogScript& script = DialogScript::Get();
    switch (message) {
        case WM_INITDIALOG:
        case WM_COMMAND:
        case WM_SETFONT:
        case WM_APP:
            DialogEvents::Add(hwnd, message, wParam, lParam);
            break;
        default:
            break;
    }
    if (auto found = script.handlers.find(message); found != script.handlers.end()) {
        found->second(hwnd, wParam, lParam);
        return TRUE;
    }
    if (message == WM_INITDIALOG) {
        if (script.onInit) {
            script.onInit(hwnd);
        }
        return script.initAnswer;
    }
    if (message == WM_COMMAND && script.endOnOkCancel &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// A plain top-level window that runs a test's action when it gets WM_APP, so that a test can act
// from inside a modal loop.
inline std::function<void()>& HelperAction() {
    static std::function<void()> action;
    return action;
}

inline LRESULT CALLBACK HelperProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && HelperAction()) {
        HelperAction()();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline DialogTemplate TestDialog(DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME) {
    DialogTemplate dialog;
    dialog.extended = true;
    dialog.style = style | DS_SETFONT;
    dialog.cx = 200;
    dialog.cy = 100;
    dialog.caption = "test dialog";
    dialog.hasFont = true;
    dialog.pointSize = 9;
    dialog.faceName = "宋体";
    dialog.charset = 134;
    return dialog;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        DialogEvents::All().clear();
        DialogScript::Get() = DialogScript{};
        HelperAction() = nullptr;
        Register("Button", TestButtonProcedure);
        Register("Edit", TestEditProcedure);
        Register("Static", TestStaticProcedure);
        Register("ComboBox", TestComboProcedure);
        Register("TestHelper", HelperProcedure);
    }
    void TearDown() override {
        ResetWindowSystemForTesting();
        SetMessageBoxAnswerer({});
        SetDialogControlFactory({});
        TakeShownMessageBoxes();
        HelperAction() = nullptr;
        DialogScript::Get() = DialogScript{};
        DialogEvents::All().clear();
    }

    static void Register(const char* name, WNDPROC procedure) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.lpszClassName = name;
        ASSERT_NE(RegisterClassA(&windowClass), 0) << name;
    }

    static HWND Helper(RECT rect = {50, 50, 650, 450}) {
        return CreateWindowExA(0, "TestHelper", "helper", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                               nullptr, nullptr, nullptr, nullptr);
    }

    static HWND Create(const DialogTemplate& dialog, HWND parent = nullptr, LPARAM param = 0,
                       const std::vector<DialogInitEntry>& items = {}) {
        return CreateDialogFromTemplate(nullptr, dialog, items, parent, RecordingDialogProcedure,
                                        param);
    }

    static void Key(BYTE key, bool down = true) { InjectKey(key, down); }
    static void Press(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
        PumpUntilIdle();
    }
};

}  // namespace platform::testing
