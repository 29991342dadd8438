// Item lists that hold a folder's full Windows path (see ShellFolderApi.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/commondialogs/ShellFolderApi.h"

namespace platform {

class ItemIdList {
public:
    // A list in task memory; null when the path is too long for an item or memory runs out.
    static LPITEMIDLIST Make(std::string_view path);
    static LPITEMIDLIST MakeEmpty();

    // The path of the list's first item; an empty text for the empty list, nothing for null.
    static std::optional<std::string> PathOf(LPCITEMIDLIST list);
};

}  // namespace platform
