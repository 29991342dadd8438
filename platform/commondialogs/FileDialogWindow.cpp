#include "platform/commondialogs/FileDialogWindow.h"

#include "platform/commondialogs/DialogParts.h"
#include "platform/commondialogs/FileDialogApi.h"
#include "platform/commondialogs/FolderListing.h"
#include "platform/controls/Edit.h"
#include "platform/files/PathResolution.h"

namespace platform {

namespace {

using namespace dialog_parts;

struct Row {
    enum class Kind { Parent, Folder, File };
    Kind kind;
    std::string name;
};

struct State {
    const FileDialogSetup* setup = nullptr;
    std::string folder;
    int filterIndex = 1;
    // A pattern typed into the name edit, shown instead of the filter's until another filter is
    // picked.
    std::string typedPattern;
    std::vector<Row> rows;
    std::optional<FileDialogResult> result;
};

State* StateOf(HWND dialog) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string Patterns(const State& state) {
    if (!state.typedPattern.empty()) {
        return state.typedPattern;
    }
    const auto& filter = state.setup->filter;
    if (filter.empty()) {
        return "*.*";
    }
    const size_t index = static_cast<size_t>(state.filterIndex - 1);
    return filter[index < filter.size() ? index : 0].second;
}

void Refresh(HWND dialog, State& state) {
    state.rows.clear();
    const std::optional<WindowsPath> folder = ParseWindowsPath(state.folder);
    if (folder && !folder->IsRoot()) {
        state.rows.push_back(Row{Row::Kind::Parent, ".."});
    }
    for (std::string& name : FolderListing::Folders(state.folder)) {
        state.rows.push_back(Row{Row::Kind::Folder, std::move(name)});
    }
    for (std::string& name : FolderListing::Files(state.folder, Patterns(state))) {
        state.rows.push_back(Row{Row::Kind::File, std::move(name)});
    }
    HWND list = GetDlgItem(dialog, FILE_DIALOG_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const Row& row : state.rows) {
        const std::string text = row.kind == Row::Kind::File ? row.name : "[" + row.name + "]";
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SetDlgItemTextA(dialog, FILE_DIALOG_FOLDER_TEXT, state.folder.c_str());
}

void Open(HWND dialog, State& state, std::string folder) {
    state.folder = std::move(folder);
    Refresh(dialog, state);
}

const Row* SelectedRow(HWND dialog, const State& state) {
    const LRESULT index = SendDlgItemMessageA(dialog, FILE_DIALOG_LIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= state.rows.size()) {
        return nullptr;
    }
    return &state.rows[static_cast<size_t>(index)];
}

void FocusName(HWND dialog) {
    HWND edit = GetDlgItem(dialog, FILE_DIALOG_NAME);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

void Commit(HWND dialog, State& state, const std::string& typed) {
    const FileChoice choice = FileChoice::Evaluate(typed, state.folder, state.setup->rules, dialog);
    switch (choice.kind) {
        case FileChoice::Kind::Empty:
            return;
        case FileChoice::Kind::Pattern:
            state.typedPattern = choice.path;
            Refresh(dialog, state);
            FocusName(dialog);
            return;
        case FileChoice::Kind::Folder:
            Open(dialog, state, choice.path);
            SetDlgItemTextA(dialog, FILE_DIALOG_NAME, "");
            FocusName(dialog);
            return;
        case FileChoice::Kind::Accepted:
            state.result = FileDialogResult{choice.path, state.filterIndex};
            EndDialog(dialog, IDOK);
            return;
        case FileChoice::Kind::Refused:
            FocusName(dialog);
            return;
    }
}

// A folder row opens; a file row is chosen.
void Activate(HWND dialog, State& state, const Row& row) {
    if (row.kind == Row::Kind::File) {
        Commit(dialog, state, row.name);
        return;
    }
    const std::optional<WindowsPath> folder = ParseWindowsPath(state.folder);
    if (!folder) {
        return;
    }
    Open(dialog, state,
         row.kind == Row::Kind::Parent ? folder->Parent().ToString()
                                       : FolderListing::Join(state.folder, row.name));
}

void Initialise(HWND dialog, State& state) {
    HWND types = GetDlgItem(dialog, FILE_DIALOG_TYPES);
    for (const auto& [description, patterns] : state.setup->filter) {
        SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(description.c_str()));
    }
    if (!state.setup->filter.empty()) {
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(state.filterIndex - 1), 0);
    }
    SetDlgItemTextA(dialog, FILE_DIALOG_NAME, state.setup->fileName.c_str());
    Refresh(dialog, state);
    FocusName(dialog);
}

void OnCommand(HWND dialog, State& state, WORD id, WORD code) {
    switch (id) {
        case FILE_DIALOG_LIST:
            if (const Row* row = SelectedRow(dialog, state)) {
                if (code == LBN_DBLCLK) {
                    Activate(dialog, state, Row(*row));
                } else if (code == LBN_SELCHANGE && row->kind == Row::Kind::File) {
                    SetDlgItemTextA(dialog, FILE_DIALOG_NAME, row->name.c_str());
                }
            }
            return;
        case FILE_DIALOG_TYPES:
            if (code == CBN_SELCHANGE) {
                const LRESULT index =
                    SendDlgItemMessageA(dialog, FILE_DIALOG_TYPES, CB_GETCURSEL, 0, 0);
                if (index >= 0) {
                    state.filterIndex = static_cast<int>(index) + 1;
                    state.typedPattern.clear();
                    Refresh(dialog, state);
                }
            }
            return;
        case IDOK: {
            const Row* row = SelectedRow(dialog, state);
            if (GetFocus() == GetDlgItem(dialog, FILE_DIALOG_LIST) && row != nullptr &&
                row->kind != Row::Kind::File) {
                Activate(dialog, state, Row(*row));
                return;
            }
            Commit(dialog, state, ItemText(dialog, FILE_DIALOG_NAME));
            return;
        }
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
        Initialise(dialog, *reinterpret_cast<State*>(lParam));
        return FALSE;
    }
    State* state = StateOf(dialog);
    if (state == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

DialogTemplate Layout(const FileDialogSetup& setup) {
    DialogTemplate dialog = Dialog(setup.rules.title, 280, 186);
    Add(dialog, "Static", "查找范围(&I):", kNoId, 0, 7, 8, 52, 10);
    Add(dialog, "Static", "", FILE_DIALOG_FOLDER_TEXT, SS_NOPREFIX, 60, 8, 213, 10);
    Add(dialog, "ListBox", "", FILE_DIALOG_LIST,
        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 22, 266, 98);
    Add(dialog, "Static", "文件名(&N):", kNoId, 0, 7, 130, 52, 10);
    Add(dialog, "Edit", "", FILE_DIALOG_NAME, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 128, 150,
        13);
    Add(dialog, "Static", "文件类型(&T):", kNoId, 0, 7, 150, 52, 10);
    Add(dialog, "ComboBox", "", FILE_DIALOG_TYPES, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 60,
        148, 150, 80);
    Add(dialog, "Button", setup.rules.save ? "保存(&S)" : "打开(&O)", IDOK,
        BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 216, 127, 57, 15);
    Add(dialog, "Button", "取消", IDCANCEL, WS_TABSTOP, 216, 147, 57, 15);
    return dialog;
}

}  // namespace

std::optional<FileDialogResult> FileDialogWindow::Run(const FileDialogSetup& setup) {
    RegisterControls();
    State state;
    state.setup = &setup;
    state.folder = setup.folder;
    state.filterIndex = setup.filterIndex;
    const INT_PTR ended = DialogBoxFromTemplate(nullptr, Layout(setup), {}, setup.owner, Procedure,
                                                reinterpret_cast<LPARAM>(&state));
    if (ended != IDOK) {
        return std::nullopt;
    }
    return state.result;
}

}  // namespace platform
