#include "platform/commondialogs/FolderBrowserWindow.h"

#include <vector>

#include "platform/commondialogs/DialogParts.h"
#include "platform/commondialogs/FolderTree.h"
#include "platform/files/PathResolution.h"

namespace platform {

namespace {

using namespace dialog_parts;

struct State {
    const FolderBrowserSetup* setup = nullptr;
    std::vector<FolderTree::Row> rows;
    std::string open;
    std::string selected;
};

State* StateOf(HWND dialog) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Shows the tree down to `folder` (the root when it is not below it) and selects it.
void Open(HWND dialog, State& state, const std::string& folder) {
    const std::optional<WindowsPath> path = ParseWindowsPath(folder);
    state.rows = FolderTree::Rows(state.setup->root, path.value_or(state.setup->root));
    HWND list = GetDlgItem(dialog, FOLDER_BROWSER_TREE);
    SendMessageA(list, kListReset, 0, 0);
    size_t selected = 0;
    for (size_t i = 0; i < state.rows.size(); ++i) {
        const std::string label = state.rows[i].Label();
        SendMessageA(list, kListAddString, 0, reinterpret_cast<LPARAM>(label.c_str()));
        if (path && state.rows[i].path == WindowsPath(path->drive(), path->names()).ToString()) {
            selected = i;
        }
    }
    state.selected = state.rows[selected].path;
    state.open = state.selected;
    SendMessageA(list, kListSetSelection, selected, 0);
}

const FolderTree::Row* SelectedRow(HWND dialog, const State& state) {
    const LRESULT index = SendDlgItemMessageA(dialog, FOLDER_BROWSER_TREE, kListGetSelection, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= state.rows.size()) {
        return nullptr;
    }
    return &state.rows[static_cast<size_t>(index)];
}

void OnCommand(HWND dialog, State& state, WORD id, WORD code) {
    switch (id) {
        case FOLDER_BROWSER_TREE:
            if (const FolderTree::Row* row = SelectedRow(dialog, state)) {
                if (code == kDoubleClick) {
                    Open(dialog, state, std::string(row->path));
                } else if (code == kSelectionChange) {
                    state.selected = row->path;
                }
            }
            return;
        case IDOK:
            // Enter in the tree opens the selected folder first; once it is open, it is chosen.
            if (GetFocus() == GetDlgItem(dialog, FOLDER_BROWSER_TREE) &&
                state.selected != state.open) {
                Open(dialog, state, std::string(state.selected));
                return;
            }
            EndDialog(dialog, IDOK);
            return;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return;
        default:
            return;
    }
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        State& state = *reinterpret_cast<State*>(lParam);
        SetDlgItemTextA(dialog, FOLDER_BROWSER_TITLE, state.setup->title.c_str());
        Open(dialog, state, state.setup->open.ToString());
        SendMessageA(dialog, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(dialog, FOLDER_BROWSER_TREE)), TRUE);
        return FALSE;
    }
    State* state = StateOf(dialog);
    if (state == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

}  // namespace

std::optional<std::string> FolderBrowserWindow::Run(const FolderBrowserSetup& setup) {
    RegisterControls();
    DialogTemplate dialog = Dialog("浏览文件夹", 220, 200);
    Add(dialog, "Static", "", FOLDER_BROWSER_TITLE, kStaticNoPrefix, 7, 6, 206, 20);
    Add(dialog, "ListBox", "", FOLDER_BROWSER_TREE,
        kListNotify | kListNoIntegralHeight | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 28, 206, 144);
    Add(dialog, "Button", "确定", IDOK, kDefaultPushButton | WS_TABSTOP | WS_GROUP, 102, 178, 53,
        15);
    Add(dialog, "Button", "取消", IDCANCEL, WS_TABSTOP, 160, 178, 53, 15);
    State state;
    state.setup = &setup;
    const INT_PTR ended = DialogBoxFromTemplate(nullptr, dialog, {}, setup.owner, Procedure,
                                                reinterpret_cast<LPARAM>(&state));
    if (ended != IDOK) {
        return std::nullopt;
    }
    return state.selected;
}

}  // namespace platform
