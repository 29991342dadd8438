#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/files/FileApi.h"
#include "platform/files/PathResolution.h"
#include "platform/files/ProfileFile.h"

namespace {

// Profiles are small text files; anything larger is not one and is read no further.
constexpr std::size_t kMaxProfileSize = 16 * 1024 * 1024;

std::optional<std::string> ReadProfile(LPCSTR fileName) {
    platform::ResolvedPath resolved = platform::ResolveWindowsPath(fileName ? fileName : "");
    if (!resolved.ok()) {
        return std::nullopt;
    }
    int fd = open(resolved.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string text;
    char buffer[8192];
    while (text.size() < kMaxProfileSize) {
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
    close(fd);
    return text;
}

// Names one after another, each ended by NUL, and a second NUL after the last; when they do not
// fit, the list is cut and still ends in two NULs, and the result is the size less two.
DWORD CopyNameList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    if (size < 2) {
        if (size == 1) {
            buffer[0] = '\0';
        }
        return 0;
    }
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() + 1 <= size) {
        list.copy(buffer, list.size());
        buffer[list.size()] = '\0';
        return static_cast<DWORD>(list.empty() ? 0 : list.size());
    }
    list.copy(buffer, size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    SetLastError(ERROR_MORE_DATA);
    return size - 2;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    if (lpReturnedString == nullptr || nSize == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::optional<std::string> text = ReadProfile(lpFileName);
    platform::ProfileFile profile(text ? *text : std::string());
    SetLastError(text ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    if (lpAppName == nullptr) {
        return CopyNameList(profile.SectionNames(), lpReturnedString, nSize);
    }
    if (lpKeyName == nullptr) {
        return CopyNameList(profile.KeyNames(lpAppName), lpReturnedString, nSize);
    }
    std::optional<std::string> value = profile.Value(lpAppName, lpKeyName);
    std::string result;
    if (value) {
        result = std::move(*value);
    } else {
        // The default loses its trailing blanks, as the original does.
        result = lpDefault ? lpDefault : "";
        while (!result.empty() && (result.back() == ' ' || result.back() == '\t')) {
            result.pop_back();
        }
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    std::size_t copied = std::min<std::size_t>(result.size(), nSize - 1);
    result.copy(lpReturnedString, copied);
    lpReturnedString[copied] = '\0';
    if (copied < result.size()) {
        SetLastError(ERROR_MORE_DATA);
    }
    return static_cast<DWORD>(copied);
}
