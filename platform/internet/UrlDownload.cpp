#include "platform/internet/UrlDownload.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files/PathResolution.h"
#include "platform/internet/InternetTransfer.h"
#include "platform/internet/WinInet.h"

namespace {

constexpr DWORD kChunkBytes = 256 * 1024;

HRESULT ResultOf(DWORD error) {
    switch (error) {
        case ERROR_INTERNET_INVALID_URL:
            return INET_E_INVALID_URL;
        case ERROR_INTERNET_UNRECOGNIZED_SCHEME:
            return INET_E_UNKNOWN_PROTOCOL;
        case ERROR_INTERNET_NAME_NOT_RESOLVED:
            return INET_E_RESOURCE_NOT_FOUND;
        case ERROR_INTERNET_CANNOT_CONNECT:
            return INET_E_CANNOT_CONNECT;
        case ERROR_INTERNET_TIMEOUT:
            return INET_E_CONNECTION_TIMEOUT;
        case ERROR_HTTP_REDIRECT_FAILED:
            return INET_E_REDIRECT_FAILED;
        case ERROR_INTERNET_OPERATION_CANCELLED:
            return E_ABORT;
        default:
            return INET_E_DOWNLOAD_FAILURE;
    }
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Reads the whole body into the open temporary file; S_OK or the failure's result.
HRESULT Receive(platform::InternetTransfer& transfer, int fd) {
    std::vector<char> chunk(kChunkBytes);
    for (;;) {
        DWORD read = 0;
        DWORD error = ERROR_SUCCESS;
        if (!transfer.Read(chunk.data(), kChunkBytes, read, error)) {
            return ResultOf(error);
        }
        if (read == 0) {
            return S_OK;
        }
        if (!WriteAll(fd, chunk.data(), read)) {
            return E_FAIL;
        }
    }
}

}  // namespace

HRESULT URLDownloadToFileA(void*, LPCSTR szURL, LPCSTR szFileName, DWORD, void*) {
    if (szURL == nullptr || szFileName == nullptr) {
        return E_INVALIDARG;
    }
    platform::ResolvedPath destination = platform::ResolveWindowsPath(szFileName);
    if (!destination.ok() || !destination.path.has_filename()) {
        return E_FAIL;
    }
    platform::TransferRequest request;
    request.url = szURL;
    platform::InternetSettings settings;
    settings.agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";
    DWORD error = ERROR_SUCCESS;
    auto transfer = platform::InternetTransfer::Open(request, settings, error);
    if (transfer == nullptr) {
        return ResultOf(error);
    }
    int status = transfer->Headers().StatusCode();
    if (status == 404) {
        return INET_E_OBJECT_NOT_FOUND;
    }
    if (status >= 400) {
        return INET_E_DOWNLOAD_FAILURE;
    }
    std::string temporaryName = ".";
    temporaryName += destination.path.filename().string();
    temporaryName += ".XXXXXX";
    std::string temporary = (destination.path.parent_path() / temporaryName).string();
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return E_FAIL;
    }
    HRESULT result = Receive(*transfer, fd);
    if (close(fd) != 0 && result == S_OK) {
        result = E_FAIL;
    }
    // mkostemp makes the file private; a downloaded file gets the permissions of any new file.
    mode_t mask = umask(0);
    umask(mask);
    if (result == S_OK && (chmod(temporary.c_str(), 0666 & ~mask) != 0 ||
                           std::rename(temporary.c_str(), destination.path.c_str()) != 0)) {
        result = E_FAIL;
    }
    if (result != S_OK) {
        unlink(temporary.c_str());
    }
    return result;
}
