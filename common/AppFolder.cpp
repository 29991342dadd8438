#include "common/AppFolder.h"

#include <string_view>

#include "platform/files/FileApi.h"
#include "platform/text/Gbk.h"

CString GetAppFolderNoChdir() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string_view text(path, length < MAX_PATH ? length : MAX_PATH);
    // The last separator is found character by character: the second byte of a two-byte
    // character may be a backslash too.
    const size_t separator = platform::FindLastChar(text, '\\');
    if (separator == std::string_view::npos) {
        return CString();
    }
    return CString(text.substr(0, separator + 1));
}

CString GetAppFolder() {
    CString folder = GetAppFolderNoChdir();
    SetCurrentDirectoryA(folder);
    return folder;
}
