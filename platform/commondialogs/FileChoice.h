// What a name typed into a file dialog means, against the folder the dialog shows, and the checks
// a chosen file must pass (each refusal shown in a message box).
#pragma once

#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace platform {

struct FileChoiceRules {
    bool save = false;
    DWORD flags = 0;  // OFN_ flags
    std::string defaultExtension;
    // The caption of the message boxes.
    std::string title;
};

class FileChoice {
public:
    enum class Kind {
        Empty,     // nothing typed
        Pattern,   // a wildcard pattern for the list; `path` is the pattern
        Folder,    // an existing folder to open; `path` is its full path
        Accepted,  // the chosen file; `path` is its full path
        Refused,   // a check failed and its box was shown
    };

    // `folder` is a full Windows path; message boxes are owned by `boxOwner`.
    static FileChoice Evaluate(std::string_view typed, std::string_view folder,
                               const FileChoiceRules& rules, HWND boxOwner);

    Kind kind = Kind::Empty;
    std::string path;
};

}  // namespace platform
