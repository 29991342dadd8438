// The folder browser's window: the caller's title, the tree of folders in a list, OK and Cancel.
// A click selects a folder and a double click opens it (shows its sub-folders); Enter in the list
// opens the selected folder, or chooses it when it is already open.
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
    // The chosen folder's full Windows path; nothing when cancelled or the dialog failed.
    static std::optional<std::string> Run(const FolderBrowserSetup& setup);
};

}  // namespace platform
