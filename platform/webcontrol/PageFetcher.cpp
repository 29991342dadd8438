#include "platform/webcontrol/PageFetcher.h"

#include <fstream>
#include <iterator>

#include "platform/files/PathResolution.h"
#include "platform/internet/UrlDownload.h"
#include "platform/internet/WinInet.h"
#include "platform/text/Encoding.h"
#include "platform/web/WebAddress.h"

namespace platform::webcontrol {

namespace {

// A page larger than this is cut: no page of the programs comes near it, and a hostile server
// must not exhaust memory.
constexpr size_t kMaxPageBytes = 32u << 20;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

FetchResult FetchFile(std::string_view address) {
    std::string_view rest = address.substr(5);
    while (rest.starts_with('/')) {
        rest.remove_prefix(1);
    }
    size_t end = rest.find_first_of("?#");
    std::string path = Utf8ToGbk(web::PercentDecoded(rest.substr(0, end)));
    ResolvedPath resolved = ResolveWindowsPath(path);
    FetchResult result;
    result.status = INET_E_RESOURCE_NOT_FOUND;
    if (!resolved.ok()) {
        return result;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(resolved.path, error)) {
        return result;
    }
    std::ifstream file(resolved.path, std::ios::binary);
    if (!file) {
        return result;
    }
    result.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (result.bytes.size() > kMaxPageBytes) {
        result.bytes.resize(kMaxPageBytes);
    }
    result.ok = true;
    result.status = 0;
    return result;
}

FetchResult FetchHttp(const std::string& address) {
    FetchResult result;
    result.status = INET_E_CANNOT_CONNECT;
    HINTERNET session = InternetOpenA("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)",
                                      INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (session == nullptr) {
        return result;
    }
    std::string wire = WireAddress(address);
    HINTERNET request =
        InternetOpenUrlA(session, wire.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    if (request != nullptr) {
        DWORD status = 0;
        DWORD size = sizeof status;
        if (HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                           nullptr) &&
            status >= 400) {
            result.status = static_cast<LONG>(status);
        } else {
            char buffer[16384];
            DWORD read = 0;
            bool complete = false;
            while (InternetReadFile(request, buffer, sizeof buffer, &read)) {
                if (read == 0) {
                    complete = true;
                    break;
                }
                result.bytes.append(buffer, read);
                if (result.bytes.size() >= kMaxPageBytes) {
                    complete = true;
                    break;
                }
            }
            result.ok = complete;
            result.status = complete ? 0 : INET_E_DOWNLOAD_FAILURE;
        }
        InternetCloseHandle(request);
    }
    InternetCloseHandle(session);
    return result;
}

}  // namespace

std::string WireAddress(const std::string& address) {
    std::string gbk = Utf8ToGbk(address);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : gbk) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte == ' ') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

FetchResult FetchAddress(const std::string& address) {
    if (StartsWithNoCase(address, "about:")) {
        return {true, {}, 0};
    }
    if (StartsWithNoCase(address, "file:")) {
        return FetchFile(address);
    }
    if (StartsWithNoCase(address, "http:") || StartsWithNoCase(address, "https:")) {
        return FetchHttp(address);
    }
    return {false, {}, INET_E_UNKNOWN_PROTOCOL};
}

}  // namespace platform::webcontrol
