// The shell's folder functions over item lists that hold paths.
#include "platform/commondialogs/ShellFolderApi.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/commondialogs/FolderBrowserWindow.h"
#include "platform/commondialogs/FolderTree.h"
#include "platform/commondialogs/ItemIdList.h"
#include "platform/commondialogs/SpecialFolders.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/files/PathResolution.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Copies `text` and its NUL into a MAX_PATH buffer, cut at a character boundary.
void CopyOut(LPSTR buffer, const std::string& text) {
    const size_t length = CutAtCharBoundary(text, MAX_PATH - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

// The browser's root: the folder of pidlRoot, else the drive root of the current folder.
WindowsPath RootOf(const BROWSEINFOA& info, const WindowsPath& current) {
    if (const std::optional<std::string> path = ItemIdList::PathOf(info.pidlRoot);
        path && !path->empty()) {
        if (const std::optional<WindowsPath> root = ParseWindowsPath(*path);
            root && IsFolder(root->ToString())) {
            return WindowsPath(root->drive(), root->names());
        }
    }
    return WindowsPath(current.drive(), {});
}

class TaskAllocator : public IMalloc {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IMalloc) {
            *object = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One allocator serves the whole process and is never destroyed.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    void* Alloc(size_t size) override { return CoTaskMemAlloc(size); }
    void* Realloc(void* block, size_t size) override { return CoTaskMemRealloc(block, size); }
    void Free(void* block) override { CoTaskMemFree(block); }
    size_t GetSize(void* block) override { return block == nullptr ? 0 : static_cast<size_t>(-1); }
    int DidAlloc(void* block) override { return block == nullptr ? 0 : -1; }
    void HeapMinimize() override {}
};

}  // namespace

}  // namespace platform

LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA lpbi) {
    using namespace platform;
    SetCommonDialogError(0);
    if (lpbi == nullptr) {
        return nullptr;
    }
    const WindowsPath current = CurrentWindowsFolder();
    FolderBrowserSetup setup{lpbi->hwndOwner, lpbi->lpszTitle != nullptr ? lpbi->lpszTitle : "",
                             RootOf(*lpbi, current), current};
    if (!FolderTree::Contains(setup.root, setup.open)) {
        setup.open = setup.root;
    }
    setup.open = WindowsPath(setup.open.drive(), setup.open.names());

    CommonDialogRequest request;
    request.kind = CommonDialogKind::Folder;
    request.owner = setup.owner;
    request.title = setup.title;
    request.initialFolder = setup.open.ToString();
    request.flags = lpbi->ulFlags;

    std::optional<std::string> chosen;
    if (const std::optional<CommonDialogAnswer> answer = AskCommonDialogAnswerer(request)) {
        if (answer->chosen) {
            const std::optional<WindowsPath> path = WindowsPath::Parse(answer->path, setup.open);
            if (path && IsFolder(path->ToString())) {
                chosen = WindowsPath(path->drive(), path->names()).ToString();
            }
        }
    } else {
        chosen = FolderBrowserWindow::Run(setup);
    }
    if (!chosen) {
        return nullptr;
    }
    if (lpbi->pszDisplayName != nullptr) {
        const std::optional<WindowsPath> path = ParseWindowsPath(*chosen);
        CopyOut(lpbi->pszDisplayName,
                path && !path->IsRoot() ? path->names().back() : std::string{chosen->front(), ':'});
    }
    return ItemIdList::Make(*chosen);
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath) {
    using namespace platform;
    if (pszPath == nullptr) {
        return FALSE;
    }
    pszPath[0] = '\0';
    std::optional<std::string> path = ItemIdList::PathOf(pidl);
    if (path && path->empty()) {
        path = SpecialFolders::PathOf(CSIDL_DESKTOP);
    }
    if (!path || path->size() >= MAX_PATH) {
        return FALSE;
    }
    std::memcpy(pszPath, path->c_str(), path->size() + 1);
    return TRUE;
}

BOOL SHGetSpecialFolderPathA(HWND, LPSTR pszPath, int csidl, BOOL fCreate) {
    using namespace platform;
    if (pszPath == nullptr) {
        return FALSE;
    }
    pszPath[0] = '\0';
    const std::optional<std::string> path = SpecialFolders::PathOf(csidl & ~CSIDL_FLAG_MASK);
    if (!path || path->size() >= MAX_PATH) {
        return FALSE;
    }
    if (!IsFolder(*path)) {
        const std::optional<std::filesystem::path> onDisk = ResolvePath(*path);
        std::error_code error;
        if (!(fCreate || (csidl & CSIDL_FLAG_CREATE) != 0) || !onDisk ||
            !std::filesystem::create_directories(*onDisk, error)) {
            return FALSE;
        }
    }
    std::memcpy(pszPath, path->c_str(), path->size() + 1);
    return TRUE;
}

HRESULT SHGetSpecialFolderLocation(HWND hwnd, int csidl, LPITEMIDLIST* ppidl) {
    using namespace platform;
    if (ppidl == nullptr) {
        return E_INVALIDARG;
    }
    *ppidl = nullptr;
    if ((csidl & ~CSIDL_FLAG_MASK) == CSIDL_DESKTOP) {
        *ppidl = ItemIdList::MakeEmpty();
        return *ppidl != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    char path[MAX_PATH];
    if (!SHGetSpecialFolderPathA(hwnd, path, csidl, FALSE)) {
        return E_FAIL;
    }
    *ppidl = ItemIdList::Make(path);
    return *ppidl != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT SHGetMalloc(LPMALLOC* ppMalloc) {
    if (ppMalloc == nullptr) {
        return E_INVALIDARG;
    }
    static platform::TaskAllocator allocator;
    *ppMalloc = &allocator;
    return S_OK;
}

void ILFree(LPITEMIDLIST pidl) {
    CoTaskMemFree(pidl);
}
