// GetOpenFileNameA and GetSaveFileNameA: the request, its answer or window, and the result.
#include "platform/commondialogs/FileDialogApi.h"

#include <cstring>

#include "platform/commondialogs/FileDialogWindow.h"
#include "platform/commondialogs/FileFilter.h"
#include "platform/files/FileApi.h"
#include "platform/files/PathResolution.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

// The offset just after the last separator, skipping the second bytes of GBK characters.
size_t NameOffset(const std::string& path) {
    size_t offset = 0;
    for (size_t at = 0; at < path.size(); at += CharLengthAt(path, at)) {
        if (path[at] == '\\' || path[at] == '/') {
            offset = at + 1;
        }
    }
    return offset;
}

// The folder of a path already in lpstrFile, else lpstrInitialDir, else the current folder; the
// name part of lpstrFile is proposed.
void PlaceDialog(const OPENFILENAMEA& ofn, FileDialogSetup& setup) {
    const WindowsPath current = CurrentWindowsFolder();
    std::string given(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
    const size_t nameOffset = NameOffset(given);
    setup.fileName = given.substr(nameOffset);
    std::optional<WindowsPath> folder;
    if (nameOffset > 0) {
        folder = WindowsPath::Parse(given.substr(0, nameOffset), current);
    }
    if (!folder && ofn.lpstrInitialDir != nullptr && ofn.lpstrInitialDir[0] != '\0') {
        folder = WindowsPath::Parse(ofn.lpstrInitialDir, current);
    }
    if (folder) {
        const DWORD attributes = GetFileAttributesA(folder->ToString().c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            folder.reset();
        }
    }
    const WindowsPath& chosen = folder ? *folder : current;
    setup.folder = WindowsPath(chosen.drive(), chosen.names()).ToString();
}

bool Store(OPENFILENAMEA& ofn, const std::string& path, int filterIndex) {
    if (path.size() + 1 > ofn.nMaxFile) {
        if (ofn.nMaxFile >= sizeof(WORD)) {
            const WORD needed = static_cast<WORD>(path.size() + 1);
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        SetCommonDialogError(FNERR_BUFFERTOOSMALL);
        return false;
    }
    const size_t nameOffset = NameOffset(path);
    const std::string name = path.substr(nameOffset);
    if (ofn.lpstrFileTitle != nullptr && name.size() + 1 > ofn.nMaxFileTitle) {
        SetCommonDialogError(FNERR_BUFFERTOOSMALL);
        return false;
    }
    std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
    if (ofn.lpstrFileTitle != nullptr) {
        std::memcpy(ofn.lpstrFileTitle, name.c_str(), name.size() + 1);
    }
    const size_t dot = FindLastChar(name, '.');
    ofn.nFileOffset = static_cast<WORD>(nameOffset);
    ofn.nFileExtension = static_cast<WORD>(dot == std::string::npos ? path.size()
                                           : dot + 1 == name.size() ? 0
                                                                    : nameOffset + dot + 1);
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
    if ((ofn.Flags & OFN_NOCHANGEDIR) == 0) {
        SetCurrentDirectoryA(path.substr(0, nameOffset).c_str());
    }
    return true;
}

BOOL Run(LPOPENFILENAMEA ofn, bool save) {
    SetCommonDialogError(0);
    if (ofn == nullptr || (ofn->lStructSize != sizeof(OPENFILENAMEA) &&
                           ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A)) {
        SetCommonDialogError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
        SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    FileDialogSetup setup;
    setup.owner = ofn->hwndOwner;
    setup.filter = FileFilter::Parse(ofn->lpstrFilter);
    setup.filterIndex = static_cast<int>(ofn->nFilterIndex);
    if (setup.filterIndex < 1 || static_cast<size_t>(setup.filterIndex) > setup.filter.size()) {
        setup.filterIndex = 1;
    }
    PlaceDialog(*ofn, setup);
    setup.rules.save = save;
    setup.rules.flags = ofn->Flags;
    setup.rules.defaultExtension = ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "";
    setup.rules.title = ofn->lpstrTitle != nullptr ? ofn->lpstrTitle : save ? "另存为" : "打开";

    CommonDialogRequest request;
    request.kind = save ? CommonDialogKind::Save : CommonDialogKind::Open;
    request.owner = setup.owner;
    request.title = setup.rules.title;
    request.filter = setup.filter;
    request.filterIndex = setup.filterIndex;
    request.initialFolder = setup.folder;
    request.fileName = setup.fileName;
    request.flags = ofn->Flags;

    std::optional<FileDialogResult> result;
    if (const std::optional<CommonDialogAnswer> answer = AskCommonDialogAnswerer(request)) {
        if (answer->chosen) {
            const FileChoice choice =
                FileChoice::Evaluate(answer->path, setup.folder, setup.rules, setup.owner);
            if (choice.kind == FileChoice::Kind::Accepted) {
                const int index = answer->filterIndex > 0 ? answer->filterIndex : setup.filterIndex;
                result = FileDialogResult{choice.path, index};
            }
        }
    } else {
        result = FileDialogWindow::Run(setup);
    }
    if (!result) {
        return FALSE;
    }
    return Store(*ofn, result->path, result->filterIndex) ? TRUE : FALSE;
}

}  // namespace

}  // namespace platform

BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn) {
    return platform::Run(lpofn, false);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn) {
    return platform::Run(lpofn, true);
}
