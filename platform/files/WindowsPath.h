// A Windows path taken apart lexically: drive letter, names, and whether it ended in a separator.
// Parsing resolves "." and ".." (never above the drive root) and collapses doubled separators, but
// looks at no disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class WindowsPath {
public:
    WindowsPath(char drive, std::vector<std::string> names, bool endsWithSeparator = false);

    // `text` against the absolute path `current`: "X:\..." is absolute, "X:name" is relative to
    // `current` when that is on drive X and to X's root otherwise, "\..." is rooted on the drive
    // of `current`, anything else is relative to `current`. Nullopt for empty text.
    static std::optional<WindowsPath> Parse(std::string_view text, const WindowsPath& current);

    // Whether `text` names a drive and a path from its root ("X:\..."), so that parsing it needs
    // no current folder.
    static bool IsFullyQualified(std::string_view text);

    // Upper case.
    char drive() const { return drive_; }
    const std::vector<std::string>& names() const { return names_; }
    bool endsWithSeparator() const { return endsWithSeparator_; }
    bool IsRoot() const { return names_.empty(); }

    // The path without its last name; a root is its own parent.
    WindowsPath Parent() const;

    // "C:\a\b", "C:\a\b\" when it ended in a separator, "C:\" for a root.
    std::string ToString() const;

private:
    char drive_;
    std::vector<std::string> names_;
    bool endsWithSeparator_;
};

}  // namespace platform
