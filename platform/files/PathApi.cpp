#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/files/FileApi.h"
#include "platform/files/FileInfo.h"
#include "platform/files/Path.h"
#include "platform/files/PathResolution.h"
#include "platform/files/UserProfile.h"
#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"

extern char** environ;

namespace {

template <typename T>
T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

// The runtime convention of these functions: the length without the terminating NUL when the
// text fits, else the size needed including it (and the buffer is left alone).
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
    SetLastError(ERROR_SUCCESS);
    if (buffer == nullptr || text.size() + 1 > size) {
        return static_cast<DWORD>(text.size() + 1);
    }
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return static_cast<DWORD>(text.size());
}

// A folder that is created when missing, in Windows form; 0 when it cannot be made.
DWORD CopyOutFolder(const std::filesystem::path& folder, LPSTR buffer, UINT size) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return Fail(platform::ErrorFromErrno(error.value()), DWORD{0});
    }
    return CopyOut(platform::ToWindowsPath(folder), buffer, size);
}

// Variable names compare ignoring case on the original platform; an exact match wins.
std::optional<std::string> EnvironmentValue(const std::string& name) {
    if (const char* value = std::getenv(name.c_str())) {
        return std::string(value);
    }
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string_view text(*entry);
        std::size_t equals = text.find('=');
        if (equals != std::string_view::npos &&
            platform::CompareNoCase(text.substr(0, equals), name) == 0) {
            return std::string(text.substr(equals + 1));
        }
    }
    return std::nullopt;
}

}  // namespace

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    return CopyOut(platform::CurrentWindowsFolder().ToString(), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
    platform::ResolvedPath target = platform::ResolveWindowsPath(lpPathName ? lpPathName : "");
    if (!target.ok()) {
        return Fail(target.error, FALSE);
    }
    std::optional<platform::FileInfo> info =
        platform::QueryFileInfo(target.path, platform::LinkMode::kFollow);
    if (!info) {
        return Fail(platform::MissingFileError(target.path), FALSE);
    }
    if (!info->isDirectory) {
        return Fail(ERROR_DIRECTORY, FALSE);
    }
    if (chdir(target.path.c_str()) != 0) {
        return Fail(platform::ErrorFromErrno(errno), FALSE);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart) {
    if (lpFileName == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, DWORD{0});
    }
    std::optional<platform::WindowsPath> path = platform::ParseWindowsPath(lpFileName);
    if (!path) {
        return Fail(ERROR_INVALID_NAME, DWORD{0});
    }
    std::string text = path->ToString();
    DWORD result = CopyOut(text, lpBuffer, nBufferLength);
    if (lpFilePart != nullptr && lpBuffer != nullptr && result < nBufferLength) {
        // The last name's own length, not a search for '\', which may be a GBK second byte.
        bool has_file_part = !path->IsRoot() && !path->endsWithSeparator();
        *lpFilePart =
            has_file_part ? lpBuffer + text.size() - path->names().back().size() : nullptr;
    }
    return result;
}

DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        folder = "/tmp";
    }
    platform::WindowsPath path = platform::WindowsPathOf(folder);
    std::string text = platform::WindowsPath(path.drive(), path.names(), true).ToString();
    return CopyOut(text, lpBuffer, nBufferLength);
}

// The Windows folders are the user's own (UserProfile.h), made when first asked for.
UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return CopyOutFolder(platform::UserProfile::WindowsFolder(), lpBuffer, uSize);
}

UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return CopyOutFolder(platform::UserProfile::SystemFolder(), lpBuffer, uSize);
}

DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    if (lpSrc == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, DWORD{0});
    }
    std::string_view source(lpSrc);
    std::string expanded;
    std::size_t position = 0;
    while (position < source.size()) {
        std::size_t open = source.find('%', position);
        std::size_t close = open == std::string_view::npos ? open : source.find('%', open + 1);
        if (close == std::string_view::npos) {
            expanded.append(source.substr(position));
            break;
        }
        expanded.append(source.substr(position, open - position));
        std::string name(source.substr(open + 1, close - open - 1));
        std::optional<std::string> value;
        if (!name.empty()) {
            value = platform::UserProfile::WindowsVariable(name);
            if (!value) {
                value = EnvironmentValue(name);
                if (value) {
                    value = platform::Utf8ToGbk(*value);
                }
            }
        }
        if (value) {
            expanded += *value;
            position = close + 1;
        } else {
            // An unknown name stays as written; its closing '%' may open the next name.
            expanded.append(source.substr(open, close - open));
            position = close;
        }
    }
    SetLastError(ERROR_SUCCESS);
    DWORD needed = static_cast<DWORD>(expanded.size() + 1);
    if (lpDst != nullptr && needed <= nSize) {
        expanded.copy(lpDst, expanded.size());
        lpDst[expanded.size()] = '\0';
    }
    return needed;
}
