// A TCP client over Windows Sockets for the browser's own downloads: it connects to a dotted IPv4
// address, sends a request whole and writes what the server answers after its header block into
// a file.
//
// The socket calls give up when the calling thread is asked to stop (platform::RequestStop), so
// a download on a worker thread ends within a fraction of a second when the program closes.
#pragma once

#include <cstdio>

#include "platform/base/WinTypes.h"

// Starts Windows Sockets 2.2 once for the process; WSACleanup runs at its exit. Call it at the
// program's start, before the first download.
void InitWinsock();

class CSocketClient {
public:
    CSocketClient() = default;
    // Closes the socket when one is still open.
    virtual ~CSocketClient();
    CSocketClient(const CSocketClient&) = delete;
    CSocketClient& operator=(const CSocketClient&) = delete;

    // Closes any socket held, opens a new one and connects it. With seconds > 0 every receive and
    // send (and the connection itself) waits at most that long. A refused or timed-out connection
    // is tried once more after a pause of a second, and the second failure is followed by the
    // same pause. 0 connected; 1 failure (the socket stays held until Close).
    int Connect(const char* ip, int port, int seconds);
    // 0 when every byte was sent, 1 when a send failed.
    int SendAll(const char* bytes, int length);
    // Receives the response and writes everything after the first CR LF CR LF to `file`, byte for
    // byte, until the server closes the connection or a receive fails or times out. The status
    // and headers are not looked at; a response whose headers do not end within
    // CResponseSplitter::kMaxHeaderBytes leaves the file empty. 0 done; 1 when a write failed or
    // the thread was asked to stop.
    int ReceiveBodyToFile(FILE* file);
    // Shuts the socket down and closes it: closesocket's result, or 0 when none was open.
    int Close();

private:
    UINT_PTR sock_ = 0;
};
