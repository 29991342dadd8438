#include "platform/commondialogs/FolderTree.h"

#include "platform/text/Gbk.h"

namespace platform {

bool FolderTree::Contains(const WindowsPath& outer, const WindowsPath& inner) {
    if (outer.drive() != inner.drive() || outer.names().size() > inner.names().size()) {
        return false;
    }
    for (size_t i = 0; i < outer.names().size(); ++i) {
        if (CompareNoCase(outer.names()[i], inner.names()[i]) != 0) {
            return false;
        }
    }
    return true;
}

std::vector<WindowsPath> FolderTree::Chain(const WindowsPath& root, const WindowsPath& open) {
    std::vector<WindowsPath> chain{WindowsPath(root.drive(), root.names())};
    if (!Contains(root, open)) {
        return chain;
    }
    std::vector<std::string> names = root.names();
    for (size_t i = root.names().size(); i < open.names().size(); ++i) {
        names.push_back(open.names()[i]);
        chain.emplace_back(root.drive(), names);
    }
    return chain;
}

std::string FolderTree::NameOf(const WindowsPath& folder) {
    return folder.IsRoot() ? folder.ToString() : folder.names().back();
}

}  // namespace platform
