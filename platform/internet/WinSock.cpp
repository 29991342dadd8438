#include "platform/internet/WinSock.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/internet/SocketCalls.h"

namespace calls = platform::socket_calls;

namespace {

std::atomic<int> startup_count{0};

constexpr WORD kHighestVersion = MAKEWORD(2, 2);
constexpr int kAddressLength = static_cast<int>(sizeof(sockaddr_in));

int WindowsErrorOf(int error, bool nonBlocking) {
    switch (error) {
        case EINTR:
            return WSAEINTR;
        case EBADF:
        case ENOTSOCK:
            return WSAENOTSOCK;
        case EACCES:
        case EPERM:
            return WSAEACCES;
        case EFAULT:
            return WSAEFAULT;
        case EINVAL:
            return WSAEINVAL;
        case EMFILE:
        case ENFILE:
            return WSAEMFILE;
        case EAGAIN:
        case EINPROGRESS:
            // A blocking socket only sees these when its time-out ran out.
            return nonBlocking ? WSAEWOULDBLOCK : WSAETIMEDOUT;
        case EALREADY:
            return WSAEALREADY;
        case EDESTADDRREQ:
            return WSAEDESTADDRREQ;
        case EMSGSIZE:
            return WSAEMSGSIZE;
        case EPROTOTYPE:
            return WSAEPROTOTYPE;
        case ENOPROTOOPT:
            return WSAENOPROTOOPT;
        case EPROTONOSUPPORT:
            return WSAEPROTONOSUPPORT;
        case ESOCKTNOSUPPORT:
            return WSAESOCKTNOSUPPORT;
        case EOPNOTSUPP:
            return WSAEOPNOTSUPP;
        case EPFNOSUPPORT:
            return WSAEPFNOSUPPORT;
        case EAFNOSUPPORT:
            return WSAEAFNOSUPPORT;
        case EADDRINUSE:
            return WSAEADDRINUSE;
        case EADDRNOTAVAIL:
            return WSAEADDRNOTAVAIL;
        case ENETDOWN:
            return WSAENETDOWN;
        case ENETUNREACH:
            return WSAENETUNREACH;
        case ENETRESET:
            return WSAENETRESET;
        case ECONNABORTED:
            return WSAECONNABORTED;
        case ECONNRESET:
        case EPIPE:
            return WSAECONNRESET;
        case ENOBUFS:
        case ENOMEM:
            return WSAENOBUFS;
        case EISCONN:
            return WSAEISCONN;
        case ENOTCONN:
            return WSAENOTCONN;
        case ESHUTDOWN:
            return WSAESHUTDOWN;
        case ETIMEDOUT:
            return WSAETIMEDOUT;
        case ECONNREFUSED:
            return WSAECONNREFUSED;
        case EHOSTDOWN:
            return WSAEHOSTDOWN;
        case EHOSTUNREACH:
            return WSAEHOSTUNREACH;
        default:
            return WSAEINVAL;
    }
}

int Fail(int windowsError) {
    WSASetLastError(windowsError);
    return SOCKET_ERROR;
}

// Turns a system call's result into the original's: the value itself, or SOCKET_ERROR with the
// error number set.
int Finish(long result, int fd) {
    if (result >= 0) {
        return static_cast<int>(result);
    }
    return Fail(WindowsErrorOf(static_cast<int>(-result), calls::IsNonBlocking(fd)));
}

// The descriptor behind a socket, after the checks every call makes; -1 with the error set.
int Descriptor(SOCKET s) {
    if (startup_count.load() == 0) {
        return Fail(WSANOTINITIALISED);
    }
    if (s > static_cast<SOCKET>(INT_MAX)) {
        return Fail(WSAENOTSOCK);
    }
    return static_cast<int>(s);
}

bool ReadFlags(int flags, calls::MessageFlags& result) {
    if ((flags & ~(MSG_OOB | MSG_PEEK | MSG_DONTROUTE | MSG_WAITALL)) != 0) {
        return false;
    }
    result.outOfBand = (flags & MSG_OOB) != 0;
    result.peek = (flags & MSG_PEEK) != 0;
    result.dontRoute = (flags & MSG_DONTROUTE) != 0;
    result.waitAll = (flags & MSG_WAITALL) != 0;
    return true;
}

bool IntOptionOf(int level, int optname, calls::Option& option) {
    if (level == IPPROTO_TCP) {
        option = calls::Option::NoDelay;
        return optname == TCP_NODELAY;
    }
    if (level != SOL_SOCKET) {
        return false;
    }
    switch (optname) {
        case SO_REUSEADDR:
            option = calls::Option::ReuseAddress;
            return true;
        case SO_KEEPALIVE:
            option = calls::Option::KeepAlive;
            return true;
        case SO_BROADCAST:
            option = calls::Option::Broadcast;
            return true;
        case SO_SNDBUF:
            option = calls::Option::SendBuffer;
            return true;
        case SO_RCVBUF:
            option = calls::Option::ReceiveBuffer;
            return true;
        case SO_ERROR:
            option = calls::Option::Error;
            return true;
        case SO_TYPE:
            option = calls::Option::Type;
            return true;
        default:
            return false;
    }
}

bool IsTimeoutOption(int level, int optname, calls::Direction& direction) {
    if (level != SOL_SOCKET || (optname != SO_SNDTIMEO && optname != SO_RCVTIMEO)) {
        return false;
    }
    direction = optname == SO_SNDTIMEO ? calls::Direction::Send : calls::Direction::Receive;
    return true;
}

struct HostStorage {
    std::string name;
    std::vector<std::array<char, 4>> addresses;
    std::vector<char*> addressPointers;
    char* noAliases[1] = {nullptr};
    hostent entry{};
};

}  // namespace

inline namespace winsock {

int WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData) {
    if (lpWSAData == nullptr) {
        return WSAEFAULT;
    }
    std::memset(lpWSAData, 0, sizeof *lpWSAData);
    lpWSAData->wHighVersion = kHighestVersion;
    BYTE major = LOBYTE(wVersionRequested);
    BYTE minor = HIBYTE(wVersionRequested);
    if (major == 0) {
        return WSAVERNOTSUPPORTED;
    }
    lpWSAData->wVersion =
        (major > 2 || (major == 2 && minor > 2)) ? kHighestVersion : wVersionRequested;
    std::snprintf(lpWSAData->szDescription, sizeof lpWSAData->szDescription,
                  "Windows Sockets 2.2 over the system's TCP/IP stack");
    std::snprintf(lpWSAData->szSystemStatus, sizeof lpWSAData->szSystemStatus, "Running");
    startup_count.fetch_add(1);
    return 0;
}

int WSACleanup() {
    int count = startup_count.load();
    while (count > 0 && !startup_count.compare_exchange_weak(count, count - 1)) {
    }
    return count > 0 ? 0 : Fail(WSANOTINITIALISED);
}

int WSAGetLastError() {
    return static_cast<int>(GetLastError());
}

void WSASetLastError(int iError) {
    SetLastError(static_cast<DWORD>(iError));
}

SOCKET socket(int af, int type, int protocol) {
    if (startup_count.load() == 0) {
        Fail(WSANOTINITIALISED);
        return INVALID_SOCKET;
    }
    if (af != AF_INET) {
        Fail(WSAEAFNOSUPPORT);
        return INVALID_SOCKET;
    }
    if (type != SOCK_STREAM && type != SOCK_DGRAM) {
        Fail(WSAESOCKTNOSUPPORT);
        return INVALID_SOCKET;
    }
    long fd = calls::Open(type, protocol);
    if (fd < 0) {
        Fail(WindowsErrorOf(static_cast<int>(-fd), false));
        return INVALID_SOCKET;
    }
    return static_cast<SOCKET>(fd);
}

int closesocket(SOCKET s) {
    int fd = Descriptor(s);
    return fd < 0 ? SOCKET_ERROR : Finish(calls::Close(fd), fd);
}

int shutdown(SOCKET s, int how) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return SOCKET_ERROR;
    }
    if (how != SD_RECEIVE && how != SD_SEND && how != SD_BOTH) {
        return Fail(WSAEINVAL);
    }
    return Finish(calls::Shutdown(fd, how), fd);
}

int bind(SOCKET s, const sockaddr* name, int namelen) {
    int fd = Descriptor(s);
    return fd < 0 ? SOCKET_ERROR : Finish(calls::Bind(fd, name, namelen), fd);
}

int listen(SOCKET s, int backlog) {
    int fd = Descriptor(s);
    return fd < 0 ? SOCKET_ERROR : Finish(calls::Listen(fd, backlog), fd);
}

SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return INVALID_SOCKET;
    }
    if (addr != nullptr && (addrlen == nullptr || *addrlen < kAddressLength)) {
        Fail(WSAEFAULT);
        return INVALID_SOCKET;
    }
    long accepted = calls::Accept(fd, addr);
    if (accepted < 0) {
        Finish(accepted, fd);
        return INVALID_SOCKET;
    }
    if (addr != nullptr) {
        *addrlen = kAddressLength;
    }
    return static_cast<SOCKET>(accepted);
}

int connect(SOCKET s, const sockaddr* name, int namelen) {
    int fd = Descriptor(s);
    return fd < 0 ? SOCKET_ERROR : Finish(calls::Connect(fd, name, namelen), fd);
}

int getsockname(SOCKET s, sockaddr* name, int* namelen) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return SOCKET_ERROR;
    }
    if (name == nullptr || namelen == nullptr || *namelen < kAddressLength) {
        return Fail(WSAEFAULT);
    }
    int result = Finish(calls::LocalAddress(fd, name), fd);
    if (result == 0) {
        *namelen = kAddressLength;
    }
    return result;
}

int send(SOCKET s, const char* buf, int len, int flags) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return SOCKET_ERROR;
    }
    calls::MessageFlags messageFlags;
    if (len < 0 || (buf == nullptr && len > 0)) {
        return Fail(WSAEFAULT);
    }
    if (!ReadFlags(flags, messageFlags)) {
        return Fail(WSAEOPNOTSUPP);
    }
    return Finish(calls::Send(fd, buf, len, messageFlags), fd);
}

int recv(SOCKET s, char* buf, int len, int flags) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return SOCKET_ERROR;
    }
    calls::MessageFlags messageFlags;
    if (len < 0 || (buf == nullptr && len > 0)) {
        return Fail(WSAEFAULT);
    }
    if (!ReadFlags(flags, messageFlags)) {
        return Fail(WSAEOPNOTSUPP);
    }
    return Finish(calls::Receive(fd, buf, len, messageFlags), fd);
}

int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return SOCKET_ERROR;
    }
    calls::Direction direction;
    calls::Option option;
    bool timeout = IsTimeoutOption(level, optname, direction);
    if (!timeout && (!IntOptionOf(level, optname, option) || option == calls::Option::Error ||
                     option == calls::Option::Type)) {
        return Fail(WSAENOPROTOOPT);
    }
    if (optval == nullptr || optlen < static_cast<int>(sizeof(DWORD))) {
        return Fail(WSAEFAULT);
    }
    if (timeout) {
        DWORD milliseconds;
        std::memcpy(&milliseconds, optval, sizeof milliseconds);
        return Finish(calls::SetTimeout(fd, direction, milliseconds), fd);
    }
    int value;
    std::memcpy(&value, optval, sizeof value);
    return Finish(calls::SetIntOption(fd, option, value), fd);
}

int getsockopt(SOCKET s, int level, int optname, char* optval, int* optlen) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return SOCKET_ERROR;
    }
    calls::Direction direction;
    calls::Option option;
    bool timeout = IsTimeoutOption(level, optname, direction);
    if (!timeout && !IntOptionOf(level, optname, option)) {
        return Fail(WSAENOPROTOOPT);
    }
    if (optval == nullptr || optlen == nullptr || *optlen < static_cast<int>(sizeof(DWORD))) {
        return Fail(WSAEFAULT);
    }
    if (timeout) {
        DWORD milliseconds = 0;
        long result = calls::GetTimeout(fd, direction, milliseconds);
        if (result < 0) {
            return Finish(result, fd);
        }
        std::memcpy(optval, &milliseconds, sizeof milliseconds);
    } else {
        int value = 0;
        long result = calls::GetIntOption(fd, option, value);
        if (result < 0) {
            return Finish(result, fd);
        }
        if (option == calls::Option::Error && value != 0) {
            value = WindowsErrorOf(value, true);
        }
        std::memcpy(optval, &value, sizeof value);
    }
    *optlen = static_cast<int>(sizeof(DWORD));
    return 0;
}

int ioctlsocket(SOCKET s, long cmd, u_long* argp) {
    int fd = Descriptor(s);
    if (fd < 0) {
        return SOCKET_ERROR;
    }
    if (argp == nullptr) {
        return Fail(WSAEFAULT);
    }
    if (cmd == FIONBIO) {
        return Finish(calls::SetNonBlocking(fd, *argp != 0), fd);
    }
    if (cmd == FIONREAD) {
        long waiting = calls::BytesWaiting(fd);
        if (waiting >= 0) {
            *argp = static_cast<u_long>(waiting);
            return 0;
        }
        return Finish(waiting, fd);
    }
    return Fail(WSAEINVAL);
}

int WinsockSelect(int, fd_set* readfds, fd_set* writefds, fd_set* exceptfds,
                  const timeval* timeout) {
    if (startup_count.load() == 0) {
        return Fail(WSANOTINITIALISED);
    }
    long result = calls::Select(readfds, writefds, exceptfds, timeout);
    return result >= 0 ? static_cast<int>(result)
                       : Fail(WindowsErrorOf(static_cast<int>(-result), false));
}

hostent* gethostbyname(const char* name) {
    if (startup_count.load() == 0) {
        Fail(WSANOTINITIALISED);
        return nullptr;
    }
    calls::Resolved resolved;
    switch (calls::Resolve(name, resolved)) {
        case calls::ResolveError::None:
            break;
        case calls::ResolveError::HostNotFound:
            Fail(WSAHOST_NOT_FOUND);
            return nullptr;
        case calls::ResolveError::TryAgain:
            Fail(WSATRY_AGAIN);
            return nullptr;
        case calls::ResolveError::NoData:
            Fail(WSANO_DATA);
            return nullptr;
        case calls::ResolveError::NoRecovery:
            Fail(WSANO_RECOVERY);
            return nullptr;
    }
    thread_local HostStorage storage;
    storage.name = std::move(resolved.canonicalName);
    storage.addresses.clear();
    for (std::uint32_t address : resolved.addresses) {
        std::array<char, 4> bytes;
        std::memcpy(bytes.data(), &address, bytes.size());
        storage.addresses.push_back(bytes);
    }
    storage.addressPointers.clear();
    for (std::array<char, 4>& bytes : storage.addresses) {
        storage.addressPointers.push_back(bytes.data());
    }
    storage.addressPointers.push_back(nullptr);
    storage.entry.h_name = storage.name.data();
    storage.entry.h_aliases = storage.noAliases;
    storage.entry.h_addrtype = AF_INET;
    storage.entry.h_length = 4;
    storage.entry.h_addr_list = storage.addressPointers.data();
    return &storage.entry;
}

ULONG inet_addr(const char* cp) {
    std::uint32_t address;
    return platform::socket_calls::ParseDottedAddress(cp, address) ? address : INADDR_NONE;
}

char* inet_ntoa(in_addr in) {
    thread_local char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", in.S_un.S_un_b.s_b1, in.S_un.S_un_b.s_b2,
                  in.S_un.S_un_b.s_b3, in.S_un.S_un_b.s_b4);
    return text;
}

}  // namespace winsock
