#include "browser/PendingUpdate.h"

#include <cstring>

#include "common/Md5Digest.h"
#include "platform/files/FileApi.h"
#include "platform/process/ProcessApi.h"

BOOL CPendingUpdate::Check() {
    WIN32_FIND_DATAA found = {};
    HANDLE search = ::FindFirstFileA("data\\quorra.np", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    ::FindClose(search);

    char pendingDigest[50] = {};
    char programDigest[50] = {};
    CMd5Digest digest;
    digest.Md5File("data\\quorra.np", pendingDigest);
    digest.Md5File("quorra.exe", programDigest);
    return std::strcmp(pendingDigest, programDigest) != 0;
}

BOOL CPendingUpdate::StartUpdater() {
    const HINSTANCE result =
        ::ShellExecuteA(nullptr, "open", "ux.exe", "update", nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
