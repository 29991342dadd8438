#include "platform/commondialogs/FolderBrowserWindow.h"

#include <vector>

#include "platform/commondialogs/DialogParts.h"
#include "platform/commondialogs/FolderListing.h"
#include "platform/commondialogs/FolderTree.h"
#include "platform/controls/TreeView.h"

namespace platform {

namespace {

using namespace dialog_parts;

struct State {
    const FolderBrowserSetup* setup = nullptr;
    // Each tree item's lParam indexes its folder here.
    std::vector<std::string> folders;
    std::string selected;
};

State* StateOf(HWND dialog) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HWND Tree(HWND dialog) {
    return GetDlgItem(dialog, FOLDER_BROWSER_TREE);
}

HTREEITEM Insert(HWND tree, State& state, HTREEITEM parent, const std::string& folder,
                 std::string name) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = name.data();
    // Whether a folder has sub-folders is looked up now, so that only those get a button.
    insert.item.cChildren = FolderListing::Folders(folder).empty() ? 0 : 1;
    insert.item.lParam = static_cast<LPARAM>(state.folders.size());
    state.folders.push_back(folder);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

const std::string* FolderOf(const State& state, LPARAM index) {
    if (index < 0 || static_cast<size_t>(index) >= state.folders.size()) {
        return nullptr;
    }
    return &state.folders[static_cast<size_t>(index)];
}

// Reads the item's sub-folders the first time it opens.
void Fill(HWND tree, State& state, HTREEITEM item, LPARAM index) {
    if (SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)) != 0) {
        return;
    }
    const std::string* folder = FolderOf(state, index);
    if (folder == nullptr) {
        return;
    }
    const std::string parent = *folder;
    for (std::string& name : FolderListing::Folders(parent)) {
        const std::string path = FolderListing::Join(parent, name);
        Insert(tree, state, item, path, std::move(name));
    }
}

LPARAM IndexOf(HWND tree, HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return data.lParam;
}

// The child of `parent` whose folder is `folder`, or null.
HTREEITEM FindChild(HWND tree, const State& state, HTREEITEM parent, const std::string& folder) {
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    while (item != nullptr) {
        const std::string* found = FolderOf(state, IndexOf(tree, item));
        if (found != nullptr && *found == folder) {
            return item;
        }
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return nullptr;
}

void Initialise(HWND dialog, State& state) {
    SetDlgItemTextA(dialog, FOLDER_BROWSER_TITLE, state.setup->title.c_str());
    HWND tree = Tree(dialog);
    const std::vector<WindowsPath> chain = FolderTree::Chain(state.setup->root, state.setup->open);
    HTREEITEM item =
        Insert(tree, state, TVI_ROOT, chain.front().ToString(), FolderTree::NameOf(chain.front()));
    // The root is always open, and so is every folder on the way to the starting one.
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    for (size_t i = 1; i < chain.size() && item != nullptr; ++i) {
        if (i > 1) {
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        }
        item = FindChild(tree, state, item, chain[i].ToString());
    }
    if (item != nullptr) {
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree), TRUE);
}

void OnNotify(HWND dialog, State& state, const NMHDR& header) {
    if (header.idFrom != FOLDER_BROWSER_TREE) {
        return;
    }
    const auto& notice = reinterpret_cast<const NMTREEVIEWA&>(header);
    if (header.code == TVN_ITEMEXPANDINGA && notice.action == TVE_EXPAND) {
        Fill(Tree(dialog), state, notice.itemNew.hItem, notice.itemNew.lParam);
    } else if (header.code == TVN_SELCHANGEDA) {
        const std::string* folder = FolderOf(state, notice.itemNew.lParam);
        state.selected = notice.itemNew.hItem != nullptr && folder != nullptr ? *folder : "";
    }
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Initialise(dialog, *reinterpret_cast<State*>(lParam));
        return FALSE;
    }
    State* state = StateOf(dialog);
    if (state == nullptr) {
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        OnNotify(dialog, *state, *reinterpret_cast<const NMHDR*>(lParam));
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            // Nothing selected, nothing to choose.
            if (!state->selected.empty()) {
                EndDialog(dialog, IDOK);
            }
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

std::optional<std::string> FolderBrowserWindow::Run(const FolderBrowserSetup& setup) {
    RegisterControls();
    RegisterTreeViewClass();
    DialogTemplate dialog = Dialog("浏览文件夹", 220, 200);
    Add(dialog, "Static", "", FOLDER_BROWSER_TITLE, SS_NOPREFIX, 7, 6, 206, 20);
    Add(dialog, WC_TREEVIEWA, "", FOLDER_BROWSER_TREE,
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER |
            WS_TABSTOP,
        7, 28, 206, 144);
    Add(dialog, "Button", "确定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 102, 178, 53, 15);
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
