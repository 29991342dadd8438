#include "browser/HttpGetter.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "browser/SocketClient.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/AfxParseURL.h"
#include "platform/internet/WinSock.h"
#include "platform/time/Clock.h"

namespace {

constexpr int kTimeoutSeconds = 30;
// The body arrives in pieces of 10 KiB; a larger stream buffer writes several at once.
constexpr size_t kFileBuffer = 128 * 1024;

// Every byte of a query value is percent-encoded, letters and digits included, as the servers
// the browser talks to expect; names, separators and the path stay as they are.
std::string EscapeObject(std::string_view object) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(object.size() * 3);
    bool inValue = false;
    for (const char c : object) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '=') {
            inValue = true;
            escaped += c;
        } else if (c == '&') {
            inValue = false;
            escaped += c;
        } else if (inValue) {
            escaped += '%';
            escaped += kHexDigits[byte >> 4];
            escaped += kHexDigits[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string Request(const std::string& object, std::string_view server) {
    std::string request = "GET " + object + " HTTP/1.1\r\nHost: ";
    request += server;
    request +=
        "\r\nAccept: */*\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\n"
        "Pragma: no-cache\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n";
    return request;
}

}  // namespace

int CHttpGetter::DownloadToFile(LPCSTR url, LPCSTR path) {
    if (path == nullptr) {
        return 1;
    }
    DWORD service = 0;
    CString server;
    CString object;
    INTERNET_PORT port = 0;
    AfxParseURL(url, service, server, object, port);
    const std::string request = Request(EscapeObject(object.view()), server.view());
    ::Sleep(0);

    // An address that does not parse names no server; an empty name would mean this host.
    if (server.IsEmpty()) {
        return 1;
    }
    const hostent* host = gethostbyname(server);
    if (host == nullptr || host->h_addr_list[0] == nullptr) {
        return 1;
    }
    in_addr address;
    std::memcpy(&address, host->h_addr_list[0], sizeof address);

    CSocketClient client;
    if (client.Connect(inet_ntoa(address), port, kTimeoutSeconds) != 0 ||
        client.SendAll(request.data(), static_cast<int>(request.size())) != 0) {
        client.Close();
        return 1;
    }
    const std::string partPath = std::string(path) + ".part";
    FILE* file = platform::OpenStdioFile(partPath.c_str(), "wb");
    if (file == nullptr) {
        client.Close();
        return 1;
    }
    std::setvbuf(file, nullptr, _IOFBF, kFileBuffer);
    const int received = client.ReceiveBodyToFile(file);
    const bool written = std::fclose(file) == 0 && received == 0;
    client.Close();
    if (!written || !MoveFileExA(partPath.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(partPath.c_str());
        return 1;
    }
    return 0;
}
