#include "platform/internet/WinSock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"

namespace {

struct StoppedCall {
    int result = 0;
    int error = 0;
};

// Runs `call` on a thread of the platform's own, asks that thread to stop while the call waits,
// and gives the call's result and error. The generous join limit only guards the test run.
StoppedCall RunAndStop(std::function<int()> call) {
    struct Context {
        std::function<int()> call;
        StoppedCall outcome;
    } context{std::move(call), {}};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            auto& context = *static_cast<Context*>(parameter);
            context.outcome.result = context.call();
            context.outcome.error = WSAGetLastError();
            return 0;
        },
        &context, 0, nullptr);
    EXPECT_NE(thread, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    platform::RequestStop(thread);
    EXPECT_EQ(WaitForSingleObject(thread, 20000), WAIT_OBJECT_0);
    CloseHandle(thread);
    return context.outcome;
}

class WinSockTest : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { WSACleanup(); }

    // A listening socket on an ephemeral loopback port.
    SOCKET Listen(USHORT& port) {
        SOCKET server = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        EXPECT_NE(server, INVALID_SOCKET);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = inet_addr("127.0.0.1");
        EXPECT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listen(server, SOMAXCONN), 0);
        int length = sizeof address;
        EXPECT_EQ(getsockname(server, reinterpret_cast<sockaddr*>(&address), &length), 0);
        port = ntohs(address.sin_port);
        return server;
    }

    int Connect(SOCKET client, USHORT port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = inet_addr("127.0.0.1");
        return connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }

    // A connected pair: `client` on our side, `peer` accepted by the server.
    void Pair(SOCKET& client, SOCKET& peer) {
        USHORT port = 0;
        SOCKET server = Listen(port);
        client = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_EQ(Connect(client, port), 0);
        peer = accept(server, nullptr, nullptr);
        ASSERT_NE(peer, INVALID_SOCKET);
        closesocket(server);
    }
};

TEST(WinSockLayoutTest, StructuresAndNumbersMatchTheOriginal) {
    EXPECT_EQ(sizeof(sockaddr_in), 16u);
    EXPECT_EQ(offsetof(sockaddr_in, sin_port), 2u);
    EXPECT_EQ(offsetof(sockaddr_in, sin_addr), 4u);
    EXPECT_EQ(sizeof(in_addr), 4u);
    EXPECT_EQ(sizeof(hostent::h_addrtype), 2u);
    EXPECT_EQ(INVALID_SOCKET, static_cast<SOCKET>(~static_cast<UINT_PTR>(0)));
    EXPECT_EQ(WSAEWOULDBLOCK, 10035);
    EXPECT_EQ(WSAENOTSOCK, 10038);
    EXPECT_EQ(WSAECONNRESET, 10054);
    EXPECT_EQ(WSAETIMEDOUT, 10060);
    EXPECT_EQ(WSAECONNREFUSED, 10061);
    EXPECT_EQ(WSANOTINITIALISED, 10093);
    EXPECT_EQ(WSAHOST_NOT_FOUND, 11001);
    EXPECT_EQ(htons(0x1234), 0x3412);
    EXPECT_EQ(htonl(0x01020304u), 0x04030201u);
}

TEST(WinSockStartupTest, CallsFailUntilStartedAndAfterTheLastCleanup) {
    EXPECT_EQ(socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);

    WSADATA data;
    EXPECT_EQ(WSAStartup(MAKEWORD(0, 9), &data), WSAVERNOTSUPPORTED);
    ASSERT_EQ(WSAStartup(MAKEWORD(3, 0), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
    EXPECT_EQ(data.wHighVersion, MAKEWORD(2, 2));
    EXPECT_EQ(WSACleanup(), 0);
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(s, INVALID_SOCKET);
    EXPECT_GT(s, 2u);
    EXPECT_EQ(closesocket(s), 0);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST(WinSockAddressTest, DottedFormsParseAsTheOriginalDoes) {
    EXPECT_EQ(inet_addr("127.0.0.1"), htonl(0x7f000001));
    EXPECT_EQ(inet_addr("10.1.258"), htonl(0x0a010102));
    EXPECT_EQ(inet_addr("0x7f.1"), htonl(0x7f000001));
    EXPECT_EQ(inet_addr("017.0.0.1"), htonl(0x0f000001));
    EXPECT_EQ(inet_addr("256.0.0.1"), INADDR_NONE);
    EXPECT_EQ(inet_addr("1.2.3.4.5"), INADDR_NONE);
    EXPECT_EQ(inet_addr(""), INADDR_NONE);
    EXPECT_EQ(inet_addr("www.example"), INADDR_NONE);
    EXPECT_EQ(inet_addr(nullptr), INADDR_NONE);

    in_addr address;
    address.s_addr = inet_addr("192.168.10.254");
    EXPECT_STREQ(inet_ntoa(address), "192.168.10.254");
    EXPECT_EQ(address.S_un.S_un_b.s_b1, 192);
    EXPECT_EQ(address.S_un.S_un_b.s_b4, 254);
}

TEST_F(WinSockTest, GetHostByNameGivesEachThreadItsOwnResult) {
    hostent* local = gethostbyname("localhost");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->h_addrtype, AF_INET);
    EXPECT_EQ(local->h_length, 4);
    ASSERT_NE(local->h_addr, nullptr);
    in_addr first;
    std::memcpy(&first, local->h_addr, 4);
    EXPECT_STREQ(inet_ntoa(first), "127.0.0.1");
    EXPECT_EQ(local->h_aliases[0], nullptr);

    // A name with an empty label fails in the resolver itself, without asking a name server.
    hostent* other = nullptr;
    int otherError = 0;
    std::thread worker([&] {
        other = gethostbyname("10.9.8.7");
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(gethostbyname("no-such-host..invalid"), nullptr);
        otherError = WSAGetLastError();
    });
    worker.join();
    EXPECT_NE(other, local);
    EXPECT_EQ(otherError, WSAHOST_NOT_FOUND);
    std::memcpy(&first, local->h_addr, 4);
    EXPECT_STREQ(inet_ntoa(first), "127.0.0.1");
}

TEST_F(WinSockTest, BytesTravelExactlyAndAClosedPeerReadsAsZero) {
    SOCKET client, peer;
    Pair(client, peer);
    const char message[] = "GET /\0binary\xff\x80 tail";
    ASSERT_EQ(send(client, message, sizeof message, 0), static_cast<int>(sizeof message));

    char received[64] = {};
    int total = 0;
    while (total < static_cast<int>(sizeof message)) {
        int count = recv(peer, received + total, sizeof received - total, 0);
        ASSERT_GT(count, 0);
        total += count;
    }
    EXPECT_EQ(std::memcmp(received, message, sizeof message), 0);

    EXPECT_EQ(shutdown(peer, SD_SEND), 0);
    EXPECT_EQ(recv(client, received, sizeof received, 0), 0);
    EXPECT_EQ(closesocket(peer), 0);
    EXPECT_EQ(closesocket(client), 0);
}

TEST_F(WinSockTest, ConnectToAClosedPortIsRefused) {
    USHORT port = 0;
    SOCKET server = Listen(port);
    closesocket(server);
    SOCKET client = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(Connect(client, port), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);
    closesocket(client);
}

TEST_F(WinSockTest, TimeOutsTakeMillisecondsAndEndAWaitingReceive) {
    SOCKET client, peer;
    Pair(client, peer);
    DWORD timeout = 200;
    ASSERT_EQ(setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
                         sizeof timeout),
              0);
    DWORD readBack = 0;
    int length = sizeof readBack;
    ASSERT_EQ(
        getsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&readBack), &length),
        0);
    EXPECT_EQ(readBack, 200u);
    EXPECT_EQ(length, 4);

    char buffer[16];
    EXPECT_EQ(recv(client, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAETIMEDOUT);

    EXPECT_EQ(
        setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), 2),
        SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(setsockopt(client, SOL_SOCKET, 0x7777, reinterpret_cast<const char*>(&timeout), 4),
              SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOPROTOOPT);
    BOOL noDelay = TRUE;
    EXPECT_EQ(setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                         sizeof noDelay),
              0);
    closesocket(peer);
    closesocket(client);
}

TEST_F(WinSockTest, NonBlockingSocketsAndSelect) {
    SOCKET client, peer;
    Pair(client, peer);
    u_long on = 1;
    ASSERT_EQ(ioctlsocket(client, FIONBIO, &on), 0);
    char buffer[16];
    EXPECT_EQ(recv(client, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);

    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(client, &readable);
    timeval shortWait = {0, 20000};
    EXPECT_EQ(select(0, &readable, nullptr, nullptr, &shortWait), 0);
    EXPECT_FALSE(FD_ISSET(client, &readable));

    ASSERT_EQ(send(peer, "12345", 5, 0), 5);
    fd_set writable;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_SET(client, &readable);
    FD_SET(client, &writable);
    FD_SET(peer, &readable);
    timeval wait = {5, 0};
    EXPECT_EQ(select(0, &readable, &writable, nullptr, &wait), 2);
    EXPECT_TRUE(FD_ISSET(client, &readable));
    EXPECT_TRUE(FD_ISSET(client, &writable));
    EXPECT_FALSE(FD_ISSET(peer, &readable));
    u_long waiting = 0;
    EXPECT_EQ(ioctlsocket(client, FIONREAD, &waiting), 0);
    EXPECT_EQ(waiting, 5u);
    EXPECT_EQ(ioctlsocket(client, 0x1234, &waiting), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);

    fd_set none;
    FD_ZERO(&none);
    EXPECT_EQ(select(0, &none, nullptr, nullptr, &wait), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    closesocket(peer);
    closesocket(client);
}

TEST_F(WinSockTest, SendingToAClosedPeerGivesAnErrorAndNoSignal) {
    SOCKET client, peer;
    Pair(client, peer);
    closesocket(peer);
    const std::string block(4096, 'x');
    int result = 0;
    for (int attempt = 0; attempt < 100 && result != SOCKET_ERROR; ++attempt) {
        result = send(client, block.data(), static_cast<int>(block.size()), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(result, SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
    closesocket(client);
}

TEST_F(WinSockTest, CloseSocketRefusesOtherDescriptorsAndWakesABlockedReceive) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    EXPECT_EQ(closesocket(static_cast<SOCKET>(pipeEnds[0])), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(write(pipeEnds[1], "p", 1), 1);
    char byte = 0;
    EXPECT_EQ(read(pipeEnds[0], &byte, 1), 1);
    close(pipeEnds[0]);
    close(pipeEnds[1]);

    SOCKET client, peer;
    Pair(client, peer);
    int received = 1;
    std::thread reader([&] {
        char buffer[16];
        received = recv(client, buffer, sizeof buffer, 0);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(closesocket(client), 0);
    reader.join();
    EXPECT_LE(received, 0);
    EXPECT_EQ(closesocket(client), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    closesocket(peer);
}

TEST_F(WinSockTest, AStopRequestEndsABlockedReceiveSendAndConnect) {
    SOCKET client, peer;
    Pair(client, peer);
    char buffer[16];
    StoppedCall waiting = RunAndStop([&] { return recv(client, buffer, sizeof buffer, 0); });
    EXPECT_EQ(waiting.result, SOCKET_ERROR);
    EXPECT_EQ(waiting.error, WSAEINTR);

    ASSERT_EQ(send(peer, "abc", 3, 0), 3);
    StoppedCall gathered =
        RunAndStop([&] { return recv(client, buffer, sizeof buffer, MSG_WAITALL); });
    EXPECT_EQ(gathered.result, 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");

    // The peer reads nothing, so the send fills every buffer on the way and then waits.
    const std::string block(64 << 20, 'x');
    StoppedCall stuck =
        RunAndStop([&] { return send(client, block.data(), static_cast<int>(block.size()), 0); });
    EXPECT_GT(stuck.result, 0);
    EXPECT_LT(stuck.result, static_cast<int>(block.size()));
    closesocket(peer);
    closesocket(client);

    // A listener whose queue is full drops further connection requests, so a connect waits.
    USHORT port = 0;
    SOCKET full = Listen(port);
    ASSERT_EQ(listen(full, 0), 0);
    std::vector<SOCKET> queued;
    for (int i = 0; i < 4; ++i) {
        queued.push_back(socket(AF_INET, SOCK_STREAM, 0));
        u_long on = 1;
        ioctlsocket(queued.back(), FIONBIO, &on);
        Connect(queued.back(), port);
    }
    SOCKET late = socket(AF_INET, SOCK_STREAM, 0);
    StoppedCall connecting = RunAndStop([&] { return Connect(late, port); });
    EXPECT_EQ(connecting.result, SOCKET_ERROR);
    EXPECT_EQ(connecting.error, WSAEINTR);
    // The abandoned attempt left the socket free for a new one.
    USHORT openPort = 0;
    SOCKET open = Listen(openPort);
    EXPECT_EQ(Connect(late, openPort), 0);
    for (SOCKET s : queued) {
        closesocket(s);
    }
    closesocket(late);
    closesocket(open);
    closesocket(full);
}

}  // namespace
