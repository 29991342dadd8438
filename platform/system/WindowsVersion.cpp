#include "platform/system/WindowsVersion.h"

#include <cstring>

static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(sizeof(OSVERSIONINFOEXA) == 156);

namespace {

constexpr DWORD kMajor = 5;
constexpr DWORD kMinor = 1;
constexpr DWORD kBuild = 2600;
constexpr char kServicePack[] = "Service Pack 2";

}  // namespace

BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    if (lpVersionInformation == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memset(lpVersionInformation, 0, size);
    lpVersionInformation->dwOSVersionInfoSize = size;
    lpVersionInformation->dwMajorVersion = kMajor;
    lpVersionInformation->dwMinorVersion = kMinor;
    lpVersionInformation->dwBuildNumber = kBuild;
    lpVersionInformation->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memcpy(lpVersionInformation->szCSDVersion, kServicePack, sizeof(kServicePack));
    if (size == sizeof(OSVERSIONINFOEXA)) {
        auto* extended = reinterpret_cast<OSVERSIONINFOEXA*>(lpVersionInformation);
        extended->wServicePackMajor = 2;
        extended->wProductType = 1;  // a workstation
    }
    return TRUE;
}

DWORD GetVersion() {
    return kMajor | (kMinor << 8) | (kBuild << 16);
}
