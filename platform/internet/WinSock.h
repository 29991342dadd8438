// Windows Sockets 2.2 over the system's TCP/IP stack, with the original names, constants,
// structures and error numbers, so that program code calls socket, connect, send, recv, select and
// friends exactly as it was written.
//
// Program code includes this header in place of the system's socket headers, and a file must not
// include both: the structures here have the original layout and field names (in_addr's S_un,
// hostent's short fields) and live in an inline namespace, so they never meet the system's
// structures of the same names, not even across files. The one exception is select: the system's
// declaration arrives with every C++ standard header, so the Windows select is reached through a
// macro. fd_set, FD_SET, FD_CLR, FD_ISSET, FD_ZERO and timeval are the system's, which serve the
// same calls; select ignores its first argument, as the original does. Sockets numbered FD_SETSIZE
// (1024) and above cannot be watched.
//
// Differences kept on purpose: a SOCKET is the system's descriptor number (never 0, 1 or 2, so a
// field holding 0 can mean "no socket"); send never raises SIGPIPE; a closed peer gives
// WSAECONNRESET; closesocket shuts the connection down before closing, so that a recv blocked in
// another thread returns at once (here with 0, on the original platform with an error).
#pragma once

#if defined(_SYS_SOCKET_H) || defined(_NETINET_IN_H) || defined(_NETDB_H) || defined(_ARPA_INET_H)
#error "WinSock.h replaces the system's socket headers: include only one of them in a file"
#endif

#include <sys/select.h>
#include <sys/time.h>
#include <sys/types.h>

#include <bit>

#include "platform/base/WinTypes.h"

using SOCKET = UINT_PTR;

#define INVALID_SOCKET ((SOCKET)(~0))
#define SOCKET_ERROR (-1)

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

#define AF_UNSPEC 0
#define AF_INET 2
#define PF_INET AF_INET
#define SOCK_STREAM 1
#define SOCK_DGRAM 2
#define IPPROTO_IP 0
#define IPPROTO_TCP 6
#define IPPROTO_UDP 17

#define INADDR_ANY ((ULONG)0x00000000)
#define INADDR_LOOPBACK ((ULONG)0x7f000001)
#define INADDR_NONE ((ULONG)0xffffffff)

#define SOL_SOCKET 0xffff
#define SO_REUSEADDR 0x0004
#define SO_KEEPALIVE 0x0008
#define SO_BROADCAST 0x0020
#define SO_SNDBUF 0x1001
#define SO_RCVBUF 0x1002
#define SO_SNDTIMEO 0x1005
#define SO_RCVTIMEO 0x1006
#define SO_ERROR 0x1007
#define SO_TYPE 0x1008
#define TCP_NODELAY 0x0001
#define SOMAXCONN 0x7fffffff

#define MSG_OOB 0x1
#define MSG_PEEK 0x2
#define MSG_DONTROUTE 0x4
#define MSG_WAITALL 0x8

#define SD_RECEIVE 0
#define SD_SEND 1
#define SD_BOTH 2

#define FIONREAD ((long)0x4004667F)
#define FIONBIO ((long)0x8004667E)

#define WSABASEERR 10000
#define WSAEINTR 10004L
#define WSAEBADF 10009L
#define WSAEACCES 10013L
#define WSAEFAULT 10014L
#define WSAEINVAL 10022L
#define WSAEMFILE 10024L
#define WSAEWOULDBLOCK 10035L
#define WSAEINPROGRESS 10036L
#define WSAEALREADY 10037L
#define WSAENOTSOCK 10038L
#define WSAEDESTADDRREQ 10039L
#define WSAEMSGSIZE 10040L
#define WSAEPROTOTYPE 10041L
#define WSAENOPROTOOPT 10042L
#define WSAEPROTONOSUPPORT 10043L
#define WSAESOCKTNOSUPPORT 10044L
#define WSAEOPNOTSUPP 10045L
#define WSAEPFNOSUPPORT 10046L
#define WSAEAFNOSUPPORT 10047L
#define WSAEADDRINUSE 10048L
#define WSAEADDRNOTAVAIL 10049L
#define WSAENETDOWN 10050L
#define WSAENETUNREACH 10051L
#define WSAENETRESET 10052L
#define WSAECONNABORTED 10053L
#define WSAECONNRESET 10054L
#define WSAENOBUFS 10055L
#define WSAEISCONN 10056L
#define WSAENOTCONN 10057L
#define WSAESHUTDOWN 10058L
#define WSAETIMEDOUT 10060L
#define WSAECONNREFUSED 10061L
#define WSAEHOSTDOWN 10064L
#define WSAEHOSTUNREACH 10065L
#define WSASYSNOTREADY 10091L
#define WSAVERNOTSUPPORTED 10092L
#define WSANOTINITIALISED 10093L
#define WSAHOST_NOT_FOUND 11001L
#define WSATRY_AGAIN 11002L
#define WSANO_RECOVERY 11003L
#define WSANO_DATA 11004L

inline namespace winsock {

struct WSAData {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
};
using WSADATA = WSAData;
using LPWSADATA = WSAData*;

struct in_addr {
    union {
        struct {
            unsigned char s_b1, s_b2, s_b3, s_b4;
        } S_un_b;
        struct {
            USHORT s_w1, s_w2;
        } S_un_w;
        ULONG S_addr;
    } S_un;
};
#define s_addr S_un.S_addr
#define s_net S_un.S_un_b.s_b1
#define s_host S_un.S_un_b.s_b2
#define s_lh S_un.S_un_b.s_b3
#define s_impno S_un.S_un_b.s_b4

struct sockaddr {
    USHORT sa_family;
    char sa_data[14];
};

struct sockaddr_in {
    short sin_family;
    USHORT sin_port;
    in_addr sin_addr;
    char sin_zero[8];
};

struct hostent {
    char* h_name;
    char** h_aliases;
    short h_addrtype;
    short h_length;
    char** h_addr_list;
};
#define h_addr h_addr_list[0]

using SOCKADDR = sockaddr;
using PSOCKADDR = sockaddr*;
using LPSOCKADDR = sockaddr*;
using SOCKADDR_IN = sockaddr_in;
using PSOCKADDR_IN = sockaddr_in*;
using LPSOCKADDR_IN = sockaddr_in*;
using IN_ADDR = in_addr;
using HOSTENT = hostent;
using PHOSTENT = hostent*;
using LPHOSTENT = hostent*;

// The library counts start-ups: until the first WSAStartup and after the last WSACleanup every
// other call fails with WSANOTINITIALISED. Version 2.2 is the highest offered; a request below
// 1.0 gives WSAVERNOTSUPPORTED. The result is the error number itself.
int WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData);
int WSACleanup();
// The thread's last error, shared with GetLastError as on the original platform.
int WSAGetLastError();
void WSASetLastError(int iError);

// Sockets are created close-on-exec, so started programs do not inherit them.
SOCKET socket(int af, int type, int protocol);
int closesocket(SOCKET s);
int shutdown(SOCKET s, int how);
int bind(SOCKET s, const sockaddr* name, int namelen);
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen);
// A blocking connect that meets SO_SNDTIMEO gives WSAETIMEDOUT and leaves the socket unconnected,
// so it may be connected again; a non-blocking one gives WSAEWOULDBLOCK and completes in the
// background (select's write set, or its except set when it fails).
int connect(SOCKET s, const sockaddr* name, int namelen);
int getsockname(SOCKET s, sockaddr* name, int* namelen);
// A receive or send that meets its time-out gives WSAETIMEDOUT on a blocking socket, and a
// non-blocking socket with nothing to do gives WSAEWOULDBLOCK.
//
// Stopping: on a thread started by CreateThread that another thread asks to stop
// (platform::RequestStop, which TerminateThread and the process's exit use too), a blocking
// connect, send or recv that waits gives up within a fraction of a second with SOCKET_ERROR and
// WSAEINTR, the error the original gives for a blocking call that was cancelled. A send that had
// sent part of its bytes returns that count instead, and so does a recv with MSG_WAITALL that had
// received some. A connect given up leaves the socket unconnected. Other calls (accept, select,
// gethostbyname) do not look at the stop request.
int send(SOCKET s, const char* buf, int len, int flags);
int recv(SOCKET s, char* buf, int len, int flags);
// SO_RCVTIMEO and SO_SNDTIMEO take and give a DWORD of milliseconds (0 waits for ever; read back
// as the system rounded it to its clock tick); the other options an int. An option this layer
// does not know gives WSAENOPROTOOPT.
int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen);
int getsockopt(SOCKET s, int level, int optname, char* optval, int* optlen);
// FIONBIO switches blocking off (non-zero) or on; FIONREAD gives the bytes waiting to be read.
int ioctlsocket(SOCKET s, long cmd, u_long* argp);

// Reached through the select macro. Sockets the sets name are watched, each set is cut down to
// the ready sockets and the count of them all is returned; a null time-out waits for ever. A
// failed non-blocking connect shows in the except set and not in the write set, as on the
// original platform. No socket in any set gives WSAEINVAL.
int WinsockSelect(int nfds, fd_set* readfds, fd_set* writefds, fd_set* exceptfds,
                  const timeval* timeout);

// Thread-safe: each thread gets its own result storage, valid until its next call. The first
// address of h_addr_list is the resolver's first IPv4 answer. A null or empty name means this host.
hostent* gethostbyname(const char* name);
// Dotted forms as the original parses them ("a.b.c.d", "a.b.c", "a.b", "a", each part decimal,
// octal or hexadecimal); anything else gives INADDR_NONE.
ULONG inet_addr(const char* cp);
// The dotted text in per-thread storage, valid until the thread's next call.
char* inet_ntoa(in_addr in);

static_assert(std::endian::native == std::endian::little);

constexpr USHORT htons(USHORT value) {
    return static_cast<USHORT>((value >> 8) | (value << 8));
}
constexpr USHORT ntohs(USHORT value) {
    return htons(value);
}
constexpr ULONG htonl(ULONG value) {
    return ((value & 0xffu) << 24) | ((value & 0xff00u) << 8) | ((value >> 8) & 0xff00u) |
           (value >> 24);
}
constexpr ULONG ntohl(ULONG value) {
    return htonl(value);
}

}  // namespace winsock

#define select WinsockSelect
