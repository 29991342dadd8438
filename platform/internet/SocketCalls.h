// The system's socket calls behind the Windows Sockets functions. This header names no system
// socket type, so that WinSock.cpp (which defines the original structures) can use it; addresses
// travel as bytes, which have the same layout in both worlds for IPv4.
//
// Every call returns its result (>= 0) or the negated errno, and retries calls that a signal
// interrupted. Connect, Send and Receive on a blocking socket wait in short slices, keeping the
// socket's time-outs, and give up with -EINTR within a fraction of a second once the calling
// thread is asked to stop (platform::RequestStop).
#pragma once

#include <sys/select.h>
#include <sys/time.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform::socket_calls {

enum class Option {
    ReuseAddress,
    KeepAlive,
    Broadcast,
    SendBuffer,
    ReceiveBuffer,
    NoDelay,
    Error,
    Type,
};

enum class Direction { Send, Receive };

struct MessageFlags {
    bool outOfBand = false;
    bool peek = false;
    bool dontRoute = false;
    bool waitAll = false;
};

// Stream or datagram IPv4 sockets only; the descriptor is never below 3.
long Open(int type, int protocol);
// Shuts both directions down first, so that a call blocked on the socket in another thread
// returns; then closes. ENOTSOCK for a descriptor that is not a socket, which stays open.
long Close(int fd);
long Shutdown(int fd, int how);
// `address` holds a 16-byte IPv4 socket address whose first two bytes are the family.
long Bind(int fd, const void* address, int length);
long Listen(int fd, int backlog);
// Fills `address` (at least 16 bytes) with the peer; returns the new descriptor.
long Accept(int fd, void* address);
// On a blocking socket a time-out (SO_SNDTIMEO) gives -ETIMEDOUT; after it, or after a stop, the
// half-made connection is dissolved, so the socket can be connected again.
long Connect(int fd, const void* address, int length);
long LocalAddress(int fd, void* address);
// A blocking send goes on until every byte is out; one cut short by its time-out, a stop or an
// error returns the count already sent, if any. A time-out without progress gives -EAGAIN.
long Send(int fd, const char* data, int length, MessageFlags flags);
// With waitAll (and no peek) a blocking receive gathers pieces until the buffer is full or the
// peer closes; cut short, it returns what it gathered, if anything.
long Receive(int fd, char* data, int length, MessageFlags flags);
long SetIntOption(int fd, Option option, int value);
long GetIntOption(int fd, Option option, int& value);
// Milliseconds; 0 waits for ever.
long SetTimeout(int fd, Direction direction, std::uint32_t milliseconds);
long GetTimeout(int fd, Direction direction, std::uint32_t& milliseconds);
long SetNonBlocking(int fd, bool nonBlocking);
bool IsNonBlocking(int fd);
long BytesWaiting(int fd);
// The meaning of select on the original platform; see WinsockSelect.
long Select(fd_set* readSet, fd_set* writeSet, fd_set* exceptSet, const timeval* timeout);

enum class ResolveError { None, HostNotFound, TryAgain, NoRecovery, NoData };

struct Resolved {
    std::string canonicalName;
    // IPv4 addresses in network byte order, in the resolver's order without repeats.
    std::vector<std::uint32_t> addresses;
};

// IPv4 addresses of `name`; a null name means this host.
ResolveError Resolve(const char* name, Resolved& result);

// The dotted forms the original's inet_addr accepts; false for anything else.
bool ParseDottedAddress(const char* text, std::uint32_t& networkOrder);

}  // namespace platform::socket_calls
