#include "platform/internet/WinInet.h"

#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/KernelObject.h"
#include "platform/internet/InternetSession.h"
#include "platform/internet/InternetTransfer.h"

namespace {

using platform::InternetSession;
using platform::InternetSettings;
using platform::InternetTransfer;
using platform::KernelObject;

template <typename T>
T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

// The object behind a handle of the wanted kind; null with the last error set otherwise.
template <typename Wanted>
std::shared_ptr<Wanted> LookupInternetHandle(HINTERNET handle) {
    std::shared_ptr<KernelObject> object = KernelObject::Lookup(handle);
    if (object == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto wanted = std::dynamic_pointer_cast<Wanted>(object);
    if (wanted == nullptr) {
        bool isInternetHandle = std::dynamic_pointer_cast<InternetSession>(object) != nullptr ||
                                std::dynamic_pointer_cast<InternetTransfer>(object) != nullptr;
        SetLastError(isInternetHandle ? ERROR_INTERNET_INCORRECT_HANDLE_TYPE
                                      : ERROR_INVALID_HANDLE);
    }
    return wanted;
}

std::string BypassList(LPCSTR bypass) {
    std::string list;
    for (const char* c = bypass; c != nullptr && *c != '\0'; ++c) {
        list += (*c == ';' || *c == ' ' || *c == '\t') ? ',' : *c;
    }
    return list;
}

std::optional<std::string_view> NamedHeader(DWORD header) {
    switch (header) {
        case HTTP_QUERY_CONTENT_TYPE:
            return "Content-Type";
        case HTTP_QUERY_CONTENT_LENGTH:
            return "Content-Length";
        case HTTP_QUERY_DATE:
            return "Date";
        case HTTP_QUERY_EXPIRES:
            return "Expires";
        case HTTP_QUERY_LAST_MODIFIED:
            return "Last-Modified";
        case HTTP_QUERY_PRAGMA:
            return "Pragma";
        case HTTP_QUERY_CONNECTION:
            return "Connection";
        case HTTP_QUERY_CONTENT_ENCODING:
            return "Content-Encoding";
        case HTTP_QUERY_LOCATION:
            return "Location";
        case HTTP_QUERY_SERVER:
            return "Server";
        case HTTP_QUERY_ACCEPT_RANGES:
            return "Accept-Ranges";
        case HTTP_QUERY_SET_COOKIE:
            return "Set-Cookie";
        default:
            return std::nullopt;
    }
}

}  // namespace

HINTERNET InternetOpenA(LPCSTR lpszAgent, DWORD dwAccessType, LPCSTR lpszProxy,
                        LPCSTR lpszProxyBypass, DWORD dwFlags) {
    if ((dwFlags & INTERNET_FLAG_ASYNC) != 0) {
        return Fail<HINTERNET>(ERROR_INVALID_PARAMETER, nullptr);
    }
    InternetSettings settings;
    settings.agent = lpszAgent != nullptr ? lpszAgent : "";
    switch (dwAccessType) {
        case INTERNET_OPEN_TYPE_PRECONFIG:
        case INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY:
            settings.proxyChoice = platform::ProxyChoice::Preconfigured;
            break;
        case INTERNET_OPEN_TYPE_DIRECT:
            settings.proxyChoice = platform::ProxyChoice::Direct;
            break;
        case INTERNET_OPEN_TYPE_PROXY:
            if (lpszProxy == nullptr || *lpszProxy == '\0') {
                return Fail<HINTERNET>(ERROR_INVALID_PARAMETER, nullptr);
            }
            settings.proxyChoice = platform::ProxyChoice::Named;
            settings.proxy = lpszProxy;
            settings.proxyBypass = BypassList(lpszProxyBypass);
            break;
        default:
            return Fail<HINTERNET>(ERROR_INVALID_PARAMETER, nullptr);
    }
    return KernelObject::Insert(std::make_shared<InternetSession>(std::move(settings)));
}

HINTERNET InternetOpenUrlA(HINTERNET hInternet, LPCSTR lpszUrl, LPCSTR lpszHeaders,
                           DWORD dwHeadersLength, DWORD dwFlags, DWORD_PTR) {
    auto session = LookupInternetHandle<InternetSession>(hInternet);
    if (session == nullptr) {
        return nullptr;
    }
    if (lpszUrl == nullptr) {
        return Fail<HINTERNET>(ERROR_INVALID_PARAMETER, nullptr);
    }
    platform::TransferRequest request;
    request.url = lpszUrl;
    if (lpszHeaders != nullptr) {
        request.extraHeaders =
            dwHeadersLength == static_cast<DWORD>(-1)
                ? std::string(lpszHeaders)
                : std::string(lpszHeaders, strnlen(lpszHeaders, dwHeadersLength));
    }
    request.followRedirects = (dwFlags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
    request.keepCookies = (dwFlags & INTERNET_FLAG_NO_COOKIES) == 0;
    request.pragmaNoCache = (dwFlags & INTERNET_FLAG_PRAGMA_NOCACHE) != 0;
    request.checkCertificateName = (dwFlags & INTERNET_FLAG_IGNORE_CERT_CN_INVALID) == 0;
    DWORD error = ERROR_SUCCESS;
    auto transfer = InternetTransfer::Open(request, session->Settings(), error);
    if (transfer == nullptr) {
        return Fail<HINTERNET>(error, nullptr);
    }
    return KernelObject::Insert(std::move(transfer));
}

BOOL InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead,
                      LPDWORD lpdwNumberOfBytesRead) {
    if (lpdwNumberOfBytesRead == nullptr || (lpBuffer == nullptr && dwNumberOfBytesToRead > 0)) {
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    }
    *lpdwNumberOfBytesRead = 0;
    auto transfer = LookupInternetHandle<InternetTransfer>(hFile);
    if (transfer == nullptr) {
        return FALSE;
    }
    DWORD error = ERROR_SUCCESS;
    if (!transfer->Read(lpBuffer, dwNumberOfBytesToRead, *lpdwNumberOfBytesRead, error)) {
        return Fail<BOOL>(error, FALSE);
    }
    return TRUE;
}

BOOL InternetCloseHandle(HINTERNET hInternet) {
    std::shared_ptr<KernelObject> object = KernelObject::Lookup(hInternet);
    if (std::dynamic_pointer_cast<InternetSession>(object) == nullptr &&
        std::dynamic_pointer_cast<InternetTransfer>(object) == nullptr) {
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    }
    return KernelObject::Remove(hInternet) ? TRUE : Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
}

BOOL InternetSetOptionA(HINTERNET hInternet, DWORD dwOption, LPVOID lpBuffer,
                        DWORD dwBufferLength) {
    std::shared_ptr<KernelObject> object = KernelObject::Lookup(hInternet);
    auto session = std::dynamic_pointer_cast<InternetSession>(object);
    auto transfer = std::dynamic_pointer_cast<InternetTransfer>(object);
    if (session == nullptr && transfer == nullptr) {
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    }
    if (dwOption != INTERNET_OPTION_CONNECT_TIMEOUT &&
        dwOption != INTERNET_OPTION_RECEIVE_TIMEOUT) {
        return Fail<BOOL>(ERROR_INTERNET_INVALID_OPTION, FALSE);
    }
    if (lpBuffer == nullptr || dwBufferLength < sizeof(DWORD)) {
        return Fail<BOOL>(ERROR_INTERNET_BAD_OPTION_LENGTH, FALSE);
    }
    DWORD milliseconds;
    std::memcpy(&milliseconds, lpBuffer, sizeof milliseconds);
    if (transfer != nullptr) {
        // An address is connected already; only its reads have a time-out left to change.
        if (dwOption != INTERNET_OPTION_RECEIVE_TIMEOUT) {
            return Fail<BOOL>(ERROR_INTERNET_INVALID_OPTION, FALSE);
        }
        transfer->SetReceiveTimeout(milliseconds);
        return TRUE;
    }
    session->ChangeSettings([&](InternetSettings& settings) {
        if (dwOption == INTERNET_OPTION_CONNECT_TIMEOUT) {
            settings.connectTimeoutMs = milliseconds;
        } else {
            settings.receiveTimeoutMs = milliseconds;
        }
    });
    return TRUE;
}

BOOL HttpQueryInfoA(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer,
                    LPDWORD lpdwBufferLength, LPDWORD lpdwIndex) {
    auto transfer = LookupInternetHandle<InternetTransfer>(hRequest);
    if (transfer == nullptr) {
        return FALSE;
    }
    if (lpdwBufferLength == nullptr) {
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    }
    DWORD modifiers = dwInfoLevel & HTTP_QUERY_MODIFIER_FLAGS_MASK;
    DWORD header = dwInfoLevel & HTTP_QUERY_HEADER_MASK;
    // Request headers and time conversion are not kept or offered.
    if ((modifiers & (HTTP_QUERY_FLAG_REQUEST_HEADERS | HTTP_QUERY_FLAG_SYSTEMTIME)) != 0) {
        return Fail<BOOL>(ERROR_HTTP_INVALID_QUERY_REQUEST, FALSE);
    }
    const platform::HttpResponseHeaders& headers = transfer->Headers();
    DWORD index = lpdwIndex != nullptr ? *lpdwIndex : 0;
    std::string value;
    bool found = false;
    auto single = [&](std::string text) {
        found = index == 0;
        value = std::move(text);
    };
    switch (header) {
        case HTTP_QUERY_STATUS_CODE:
            single(std::to_string(headers.StatusCode()));
            break;
        case HTTP_QUERY_STATUS_TEXT:
            single(headers.StatusText());
            break;
        case HTTP_QUERY_VERSION:
            single(headers.Version());
            break;
        case HTTP_QUERY_RAW_HEADERS:
            single(headers.RawWithNuls());
            break;
        case HTTP_QUERY_RAW_HEADERS_CRLF:
            single(headers.RawWithLineEnds());
            break;
        default: {
            std::string name;
            if (header == HTTP_QUERY_CUSTOM) {
                if (lpBuffer == nullptr) {
                    return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
                }
                const char* text = static_cast<const char*>(lpBuffer);
                name.assign(text, strnlen(text, *lpdwBufferLength));
            } else if (auto named = NamedHeader(header)) {
                name = *named;
            } else {
                return Fail<BOOL>(ERROR_HTTP_INVALID_QUERY_REQUEST, FALSE);
            }
            if (auto headerValue = headers.Find(name, index)) {
                found = true;
                value = *headerValue;
            }
        }
    }
    if (!found) {
        return Fail<BOOL>(ERROR_HTTP_HEADER_NOT_FOUND, FALSE);
    }
    if ((modifiers & HTTP_QUERY_FLAG_NUMBER) != 0) {
        DWORD number = 0;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (error != std::errc() || end != value.data() + value.size()) {
            return Fail<BOOL>(ERROR_HTTP_INVALID_QUERY_REQUEST, FALSE);
        }
        if (lpBuffer == nullptr || *lpdwBufferLength < sizeof number) {
            *lpdwBufferLength = sizeof number;
            return Fail<BOOL>(ERROR_INSUFFICIENT_BUFFER, FALSE);
        }
        std::memcpy(lpBuffer, &number, sizeof number);
        *lpdwBufferLength = sizeof number;
    } else {
        DWORD needed = static_cast<DWORD>(value.size() + 1);
        if (lpBuffer == nullptr || *lpdwBufferLength < needed) {
            *lpdwBufferLength = needed;
            return Fail<BOOL>(ERROR_INSUFFICIENT_BUFFER, FALSE);
        }
        std::memcpy(lpBuffer, value.data(), value.size());
        static_cast<char*>(lpBuffer)[value.size()] = '\0';
        *lpdwBufferLength = static_cast<DWORD>(value.size());
    }
    if (lpdwIndex != nullptr) {
        ++*lpdwIndex;
    }
    return TRUE;
}
