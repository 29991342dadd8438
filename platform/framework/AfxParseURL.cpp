#include "platform/framework/AfxParseURL.h"

#include <string_view>

namespace {

struct Scheme {
    std::string_view name;
    DWORD service;
    INTERNET_PORT port;
};

constexpr Scheme kSchemes[] = {
    {"http", AFX_INET_SERVICE_HTTP, 80},
    {"https", AFX_INET_SERVICE_HTTPS, 443},
    {"ftp", AFX_INET_SERVICE_FTP, 21},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
        if (x != b[i]) {
            return false;
        }
    }
    return true;
}

bool ParsePort(std::string_view digits, INTERNET_PORT& port) {
    if (digits.empty() || digits.size() > 5) {
        return false;
    }
    unsigned value = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(digit - '0');
    }
    if (value == 0 || value > 65535) {
        return false;
    }
    port = static_cast<INTERNET_PORT>(value);
    return true;
}

}  // namespace

BOOL AfxParseURL(LPCSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                 INTERNET_PORT& nPort) {
    dwServiceType = AFX_INET_SERVICE_UNK;
    strServer.Empty();
    strObject.Empty();
    nPort = 0;
    if (pstrURL == nullptr) {
        return FALSE;
    }
    const std::string_view url(pstrURL);
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) {
        return FALSE;
    }
    const Scheme* scheme = nullptr;
    for (const Scheme& known : kSchemes) {
        if (EqualsIgnoringCase(url.substr(0, schemeEnd), known.name)) {
            scheme = &known;
        }
    }
    if (scheme == nullptr) {
        return FALSE;
    }
    const std::string_view rest = url.substr(schemeEnd + 3);
    const size_t authorityEnd = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, authorityEnd);
    const std::string_view object =
        authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
    const size_t credentialsEnd = authority.rfind('@');
    if (credentialsEnd != std::string_view::npos) {
        authority.remove_prefix(credentialsEnd + 1);
    }
    const size_t colon = authority.find(':');
    INTERNET_PORT port = scheme->port;
    if (colon != std::string_view::npos && !ParsePort(authority.substr(colon + 1), port)) {
        return FALSE;
    }
    const std::string_view server = authority.substr(0, colon);
    if (server.empty()) {
        return FALSE;
    }
    dwServiceType = scheme->service;
    strServer = CString(server.data(), static_cast<int>(server.size()));
    if (object.empty() || object.front() != '/') {
        strObject = "/";
    }
    strObject += CString(object.data(), static_cast<int>(object.size()));
    nPort = port;
    return TRUE;
}
