// The window of the open and save dialogs: the folder shown, its sub-folders ("[name]", with
// "[..]" for the parent) and matching files in one list, the file name edit, the filter list and
// OK and Cancel. A double click or Enter on a folder opens it, a click on a file puts its name in
// the edit, and OK takes the edit's text through FileChoice.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/commondialogs/FileChoice.h"

namespace platform {

struct FileDialogSetup {
    HWND owner = nullptr;
    std::vector<std::pair<std::string, std::string>> filter;
    int filterIndex = 1;  // 1-based
    std::string folder;   // a full Windows path
    std::string fileName;
    FileChoiceRules rules;
};

struct FileDialogResult {
    std::string path;
    int filterIndex = 1;
};

class FileDialogWindow {
public:
    // Nothing when cancelled or when the dialog could not be made.
    static std::optional<FileDialogResult> Run(const FileDialogSetup& setup);
};

}  // namespace platform
