#include "platform/commondialogs/FileChoice.h"

#include "platform/commondialogs/FileDialogApi.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/GbkNames.h"
#include "platform/files/PathResolution.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

FileChoice Refuse(HWND owner, const std::string& text, const FileChoiceRules& rules) {
    MessageBoxA(owner, text.c_str(), rules.title.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return FileChoice{FileChoice::Kind::Refused, {}};
}

bool HasExtension(const std::string& name) {
    const size_t dot = FindLastChar(name, '.');
    return dot != std::string::npos;
}

}  // namespace

FileChoice FileChoice::Evaluate(std::string_view typed, std::string_view folder,
                                const FileChoiceRules& rules, HWND boxOwner) {
    while (!typed.empty() && typed.front() == ' ') {
        typed.remove_prefix(1);
    }
    while (!typed.empty() && typed.back() == ' ') {
        typed.remove_suffix(1);
    }
    if (typed.empty()) {
        return {};
    }
    const std::string text(typed);
    const std::optional<WindowsPath> base = ParseWindowsPath(folder);
    const std::optional<WindowsPath> parsed = base ? WindowsPath::Parse(text, *base) : std::nullopt;
    if (!parsed) {
        return Refuse(boxOwner, text + "\n文件名无效。", rules);
    }
    if (!parsed->IsRoot() && HasWildcard(parsed->names().back())) {
        return FileChoice{Kind::Pattern, parsed->names().back()};
    }
    if (CheckNames(*parsed, false) != ERROR_SUCCESS) {
        return Refuse(boxOwner, text + "\n文件名无效。", rules);
    }
    std::string path = parsed->ToString();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileChoice{Kind::Folder, std::move(path)};
    }
    if (parsed->IsRoot() || parsed->endsWithSeparator()) {
        return Refuse(boxOwner, path + "\n路径不存在。\n请检查路径是否正确。", rules);
    }
    const std::string& name = parsed->names().back();
    if (!rules.defaultExtension.empty() && !HasExtension(name)) {
        path += '.';
        path += rules.defaultExtension;
    }
    if ((rules.flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0) {
        const std::string parent = parsed->Parent().ToString();
        const DWORD parentAttributes = GetFileAttributesA(parent.c_str());
        if (parentAttributes == INVALID_FILE_ATTRIBUTES ||
            (parentAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return Refuse(boxOwner, parent + "\n路径不存在。\n请检查路径是否正确。", rules);
        }
    }
    const bool exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!exists && (rules.flags & OFN_FILEMUSTEXIST) != 0) {
        return Refuse(boxOwner, path + "\n找不到文件。\n请检查文件名是否正确。", rules);
    }
    if (exists && rules.save && (rules.flags & OFN_OVERWRITEPROMPT) != 0 &&
        MessageBoxA(boxOwner, (path + " 已存在。\n要替换它吗？").c_str(), rules.title.c_str(),
                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return FileChoice{Kind::Refused, {}};
    }
    return FileChoice{Kind::Accepted, std::move(path)};
}

}  // namespace platform
