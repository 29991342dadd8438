// The folder browser's window: the caller's title, a tree of folders from the root with the way to
// the starting folder expanded and that folder selected, OK and Cancel. A folder's sub-folders are
// read when it is first expanded.
#pragma once

#include <optional>
#include <string>

#include "platform/files/WindowsPath.h"
#include "platform/windows/WindowStructs.h"

#define FOLDER_BROWSER_TITLE 0x3742
#define FOLDER_BROWSER_TREE 0x3741

namespace platform {

struct FolderBrowserSetup {
    HWND owner = nullptr;
    std::string title;
    WindowsPath root;
    WindowsPath open;
};

class FolderBrowserWindow {
public:
    // The selected folder's full Windows path; nothing when cancelled or the dialog failed.
    static std::optional<std::string> Run(const FolderBrowserSetup& setup);
};

}  // namespace platform
