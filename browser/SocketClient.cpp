#include "browser/SocketClient.h"

#include <cstdlib>

#include "browser/ResponseSplitter.h"
#include "platform/internet/WinSock.h"
#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"

namespace {

constexpr int kPieceBytes = 10240;
constexpr DWORD kRetryPauseMilliseconds = 1000;
constexpr DWORD kPauseStepMilliseconds = 50;

// The pause between connection attempts, in short steps so that a thread asked to stop does not
// sit it out.
void PauseUnlessStopped(DWORD milliseconds) {
    for (DWORD paused = 0; paused < milliseconds && !platform::StopRequested();
         paused += kPauseStepMilliseconds) {
        ::Sleep(kPauseStepMilliseconds);
    }
}

bool WriteAll(FILE* file, const char* bytes, int length) {
    return length <= 0 ||
           std::fwrite(bytes, 1, static_cast<size_t>(length), file) == static_cast<size_t>(length);
}

// A receive that failed ends the body like a closed connection, unless the thread was asked to
// stop: then the body is not whole.
int EndOfBody(int received) {
    return received < 0 && WSAGetLastError() == WSAEINTR ? 1 : 0;
}

}  // namespace

void InitWinsock() {
    static const bool started = [] {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
            return false;
        }
        std::atexit([] { WSACleanup(); });
        return true;
    }();
    (void)started;
}

CSocketClient::~CSocketClient() {
    Close();
}

int CSocketClient::Connect(const char* ip, int port, int seconds) {
    Close();
    const SOCKET sock = socket(AF_INET, SOCK_STREAM, 0);
    if (sock == INVALID_SOCKET) {
        return 1;
    }
    sock_ = sock;
    if (seconds > 0) {
        const DWORD milliseconds = static_cast<DWORD>(seconds) * 1000;
        const char* value = reinterpret_cast<const char*>(&milliseconds);
        if (setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, value, sizeof milliseconds) != 0 ||
            setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, value, sizeof milliseconds) != 0) {
            closesocket(sock);
            sock_ = 0;
            return 1;
        }
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<USHORT>(port));
    address.sin_addr.s_addr = inet_addr(ip);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (connect(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            return 0;
        }
        PauseUnlessStopped(kRetryPauseMilliseconds);
        if (platform::StopRequested()) {
            break;
        }
    }
    return 1;
}

int CSocketClient::SendAll(const char* bytes, int length) {
    int sent = 0;
    while (sent < length) {
        const int step = send(sock_, bytes + sent, length - sent, 0);
        if (step <= 0) {
            return 1;
        }
        sent += step;
    }
    return 0;
}

int CSocketClient::ReceiveBodyToFile(FILE* file) {
    char piece[kPieceBytes];
    CResponseSplitter splitter;
    int received = 0;
    for (;;) {
        received = recv(sock_, piece, kPieceBytes, 0);
        if (received <= 0) {
            return EndOfBody(received);
        }
        const int bodyStart = splitter.Feed(piece, received);
        if (bodyStart == CResponseSplitter::kHeadersTooLong) {
            return 0;
        }
        if (bodyStart >= 0) {
            if (!WriteAll(file, piece + bodyStart, received - bodyStart)) {
                return 1;
            }
            break;
        }
    }
    while ((received = recv(sock_, piece, kPieceBytes, 0)) > 0) {
        if (!WriteAll(file, piece, received)) {
            return 1;
        }
    }
    return EndOfBody(received);
}

int CSocketClient::Close() {
    if (sock_ == 0) {
        return 0;
    }
    const SOCKET sock = sock_;
    sock_ = 0;
    shutdown(sock, SD_BOTH);
    return closesocket(sock);
}
