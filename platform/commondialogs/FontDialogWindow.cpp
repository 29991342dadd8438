#include "platform/commondialogs/FontDialogWindow.h"

#include <algorithm>
#include <vector>

#include "platform/commondialogs/DialogParts.h"
#include "platform/commondialogs/FontDialogApi.h"
#include "platform/controls/Button.h"
#include "platform/controls/Static.h"

namespace platform {

namespace {

using namespace dialog_parts;

struct State {
    const FontDialogSetup* setup = nullptr;
    std::vector<int> sizes;
    std::vector<COLORREF> colors;
    FontSelection selection;
    HFONT sampleFont = nullptr;
};

State* StateOf(HWND dialog) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void AddItems(HWND dialog, int id, UINT add, const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        SendDlgItemMessageA(dialog, id, add, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

template <typename T>
int IndexOf(const std::vector<T>& items, const T& item) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == item) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int Selected(HWND dialog, int id, UINT message) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, message, 0, 0));
}

// The sample shows the selection in its font (at the screen's resolution).
void ShowSample(HWND dialog, State& state) {
    HDC dc = CreateCompatibleDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);
    const LOGFONTA font =
        FontChoice::ToLogFont(state.selection, dotsPerInch > 0 ? dotsPerInch : 96);
    HFONT created = CreateFontIndirectA(&font);
    SendDlgItemMessageA(dialog, FONT_DIALOG_SAMPLE, WM_SETFONT, reinterpret_cast<WPARAM>(created),
                        TRUE);
    if (state.sampleFont != nullptr) {
        DeleteObject(state.sampleFont);
    }
    state.sampleFont = created;
}

// Reads the controls into the selection.
void Read(HWND dialog, State& state) {
    const auto& faces = FontChoice::Faces();
    if (const int face = Selected(dialog, FONT_DIALOG_FACES, LB_GETCURSEL);
        face >= 0 && static_cast<size_t>(face) < faces.size()) {
        state.selection.face = faces[static_cast<size_t>(face)];
    }
    if (const int style = Selected(dialog, FONT_DIALOG_STYLES, LB_GETCURSEL);
        style >= 0 && style < 4) {
        state.selection.italic = (style & 1) != 0;
        state.selection.bold = (style & 2) != 0;
    }
    if (const int size = Selected(dialog, FONT_DIALOG_SIZES, LB_GETCURSEL);
        size >= 0 && static_cast<size_t>(size) < state.sizes.size()) {
        state.selection.pointSize = state.sizes[static_cast<size_t>(size)];
    }
    if (state.setup->effects) {
        state.selection.strikeOut =
            IsDlgButtonChecked(dialog, FONT_DIALOG_STRIKEOUT) == BST_CHECKED;
        state.selection.underline =
            IsDlgButtonChecked(dialog, FONT_DIALOG_UNDERLINE) == BST_CHECKED;
        if (const int color = Selected(dialog, FONT_DIALOG_COLORS, CB_GETCURSEL);
            color >= 0 && static_cast<size_t>(color) < state.colors.size()) {
            state.selection.color = state.colors[static_cast<size_t>(color)];
        }
    }
}

void Initialise(HWND dialog, State& state) {
    const FontSelection& initial = state.setup->initial;
    AddItems(dialog, FONT_DIALOG_FACES, LB_ADDSTRING, FontChoice::Faces());
    SendDlgItemMessageA(dialog, FONT_DIALOG_FACES, LB_SETCURSEL,
                        static_cast<WPARAM>(IndexOf(FontChoice::Faces(), initial.face)), 0);
    AddItems(dialog, FONT_DIALOG_STYLES, LB_ADDSTRING, FontChoice::Styles());
    SendDlgItemMessageA(dialog, FONT_DIALOG_STYLES, LB_SETCURSEL,
                        static_cast<WPARAM>(initial.italic + 2 * initial.bold), 0);
    state.sizes = FontChoice::Sizes(state.setup->minimumSize, state.setup->maximumSize);
    std::vector<std::string> sizeTexts;
    for (int size : state.sizes) {
        sizeTexts.push_back(std::to_string(size));
    }
    AddItems(dialog, FONT_DIALOG_SIZES, LB_ADDSTRING, sizeTexts);
    SendDlgItemMessageA(dialog, FONT_DIALOG_SIZES, LB_SETCURSEL,
                        static_cast<WPARAM>(IndexOf(state.sizes, initial.pointSize)), 0);
    if (state.setup->effects) {
        CheckDlgButton(dialog, FONT_DIALOG_STRIKEOUT, initial.strikeOut ? BST_CHECKED : 0);
        CheckDlgButton(dialog, FONT_DIALOG_UNDERLINE, initial.underline ? BST_CHECKED : 0);
        std::vector<std::string> names;
        for (const FontChoice::NamedColor& color : FontChoice::Colors()) {
            names.emplace_back(color.name);
            state.colors.push_back(color.color);
        }
        // A colour outside the sixteen is kept as a seventeenth.
        if (IndexOf(state.colors, initial.color) < 0) {
            names.emplace_back("自定义");
            state.colors.push_back(initial.color);
        }
        AddItems(dialog, FONT_DIALOG_COLORS, CB_ADDSTRING, names);
        SendDlgItemMessageA(dialog, FONT_DIALOG_COLORS, CB_SETCURSEL,
                            static_cast<WPARAM>(IndexOf(state.colors, initial.color)), 0);
    }
    state.selection = initial;
    if (state.sizes.empty()) {
        state.selection.pointSize =
            std::clamp(initial.pointSize, state.setup->minimumSize, state.setup->maximumSize);
    } else if (IndexOf(state.sizes, initial.pointSize) < 0) {
        state.selection.pointSize = state.sizes.front();
        SendDlgItemMessageA(dialog, FONT_DIALOG_SIZES, LB_SETCURSEL, 0, 0);
    }
    ShowSample(dialog, state);
    SendMessageA(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, FONT_DIALOG_FACES)), TRUE);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Initialise(dialog, *reinterpret_cast<State*>(lParam));
        return FALSE;
    }
    State* state = StateOf(dialog);
    if (state == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            Read(dialog, *state);
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case FONT_DIALOG_FACES:
        case FONT_DIALOG_STYLES:
        case FONT_DIALOG_SIZES:
        case FONT_DIALOG_COLORS:
            // The lists' LBN_SELCHANGE and the colour box's CBN_SELCHANGE share one code.
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                Read(dialog, *state);
                ShowSample(dialog, *state);
            }
            return TRUE;
        case FONT_DIALOG_STRIKEOUT:
        case FONT_DIALOG_UNDERLINE:
            Read(dialog, *state);
            ShowSample(dialog, *state);
            return TRUE;
        default:
            return FALSE;
    }
}

DialogTemplate Layout(bool effects) {
    const DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    DialogTemplate dialog = Dialog("字体", 250, 190);
    Add(dialog, "Static", "字体(&F):", kNoId, 0, 7, 7, 90, 9);
    Add(dialog, "ListBox", "", FONT_DIALOG_FACES, list, 7, 18, 90, 80);
    Add(dialog, "Static", "字形(&Y):", kNoId, 0, 104, 7, 60, 9);
    Add(dialog, "ListBox", "", FONT_DIALOG_STYLES, list, 104, 18, 60, 80);
    Add(dialog, "Static", "大小(&S):", kNoId, 0, 171, 7, 36, 9);
    Add(dialog, "ListBox", "", FONT_DIALOG_SIZES, list, 171, 18, 30, 80);
    Add(dialog, "Button", "确定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 208, 18, 35, 14);
    Add(dialog, "Button", "取消", IDCANCEL, WS_TABSTOP, 208, 36, 35, 14);
    if (effects) {
        Add(dialog, "Button", "删除线(&K)", FONT_DIALOG_STRIKEOUT,
            BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 13, 116, 70, 10);
        Add(dialog, "Button", "下划线(&U)", FONT_DIALOG_UNDERLINE, BS_AUTOCHECKBOX | WS_TABSTOP, 13,
            130, 70, 10);
        Add(dialog, "Static", "颜色(&C):", kNoId, 0, 13, 146, 70, 9);
        Add(dialog, "ComboBox", "", FONT_DIALOG_COLORS, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
            13, 157, 78, 100);
    }
    Add(dialog, "Static", "中文 AaBbYyZz", FONT_DIALOG_SAMPLE, SS_CENTER | SS_NOPREFIX, 110, 116,
        127, 60);
    // The frames come last, below the controls they hold, so that clicks reach those.
    if (effects) {
        Add(dialog, "Button", "效果", kNoId, BS_GROUPBOX, 7, 104, 90, 78);
    }
    Add(dialog, "Button", "示例", kNoId, BS_GROUPBOX, 104, 104, 139, 78);
    return dialog;
}

}  // namespace

std::optional<FontSelection> FontDialogWindow::Run(const FontDialogSetup& setup) {
    RegisterControls();
    State state;
    state.setup = &setup;
    const INT_PTR ended = DialogBoxFromTemplate(nullptr, Layout(setup.effects), {}, setup.owner,
                                                Procedure, reinterpret_cast<LPARAM>(&state));
    if (state.sampleFont != nullptr) {
        DeleteObject(state.sampleFont);
    }
    if (ended != IDOK) {
        return std::nullopt;
    }
    return state.selection;
}

}  // namespace platform
