// The folders of the folder browser's tree: the way from its root down to the folder it opens at,
// and the names it shows.
#pragma once

#include <string>
#include <vector>

#include "platform/files/WindowsPath.h"

namespace platform {

class FolderTree {
public:
    // `root`, each folder below it on the way to `open`, and `open` itself, all without a
    // trailing separator; only the root when `open` is not below it.
    static std::vector<WindowsPath> Chain(const WindowsPath& root, const WindowsPath& open);

    // Whether `inner` is `outer` or lies below it (names compared ignoring ASCII case).
    static bool Contains(const WindowsPath& outer, const WindowsPath& inner);

    // The last name; "C:\" for a drive root.
    static std::string NameOf(const WindowsPath& folder);
};

}  // namespace platform
