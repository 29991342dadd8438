// The rows of the folder browser's tree: the root, each folder on the way down to the open
// folder, and the open folder's sub-folders, each indented by its depth.
#pragma once

#include <string>
#include <vector>

#include "platform/files/WindowsPath.h"

namespace platform {

class FolderTree {
public:
    struct Row {
        std::string path;  // the folder's full Windows path
        std::string name;  // "C:\" for a drive root
        int depth = 0;

        bool operator==(const Row&) const = default;
        // The name indented by two blanks per level, as the tree shows it.
        std::string Label() const {
            return std::string(static_cast<size_t>(depth) * 2, ' ') + name;
        }
    };

    // A folder that is not under `root` opens the root instead.
    static std::vector<Row> Rows(const WindowsPath& root, const WindowsPath& open);

    // Whether `inner` is `outer` or lies below it (names compared ignoring ASCII case).
    static bool Contains(const WindowsPath& outer, const WindowsPath& inner);
};

}  // namespace platform
