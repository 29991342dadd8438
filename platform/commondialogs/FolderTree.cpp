#include "platform/commondialogs/FolderTree.h"

#include "platform/commondialogs/FolderListing.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

WindowsPath Plain(const WindowsPath& path) {
    return WindowsPath(path.drive(), path.names());
}

std::string NameOf(const WindowsPath& path) {
    return path.IsRoot() ? path.ToString() : path.names().back();
}

}  // namespace

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

std::vector<FolderTree::Row> FolderTree::Rows(const WindowsPath& root, const WindowsPath& open) {
    const WindowsPath top = Plain(root);
    const WindowsPath last = Contains(top, open) ? Plain(open) : top;
    std::vector<Row> rows;
    rows.push_back(Row{top.ToString(), NameOf(top), 0});
    std::vector<std::string> names = top.names();
    for (size_t i = top.names().size(); i < last.names().size(); ++i) {
        names.push_back(last.names()[i]);
        const WindowsPath step(top.drive(), names);
        rows.push_back(Row{step.ToString(), NameOf(step), static_cast<int>(rows.size())});
    }
    const int childDepth = static_cast<int>(rows.size());
    const std::string folder = last.ToString();
    for (std::string& child : FolderListing::Folders(folder)) {
        std::string path = FolderListing::Join(folder, child);
        rows.push_back(Row{std::move(path), std::move(child), childDepth});
    }
    return rows;
}

}  // namespace platform
