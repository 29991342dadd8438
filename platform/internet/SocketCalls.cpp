#include "platform/internet/SocketCalls.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <optional>

#include "platform/threads/ThreadApi.h"

namespace platform::socket_calls {
namespace {

using Clock = std::chrono::steady_clock;

// A blocking call waits in slices of this length and looks at the thread's stop request between
// them.
constexpr int kStopPollMilliseconds = 50;

long Failure() {
    return -static_cast<long>(errno);
}

template <typename Call>
long RetryInterrupted(Call call) {
    long result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result < 0 ? Failure() : result;
}

// Descriptors 0, 1 and 2 are the standard streams; a socket there would receive whatever the
// program prints, and would read as "no socket" to code that keeps 0 for that.
long AwayFromStandardStreams(int fd) {
    if (fd < 0 || fd > 2) {
        return fd;
    }
    int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    int error = errno;
    close(fd);
    if (moved < 0) {
        return -static_cast<long>(error);
    }
    return moved;
}

bool ReadAddress(const void* address, int length, sockaddr_in& result) {
    if (address == nullptr || length < static_cast<int>(sizeof(sockaddr_in))) {
        return false;
    }
    std::memcpy(&result, address, sizeof result);
    return true;
}

int MessageFlagsOf(MessageFlags flags) {
    int result = MSG_NOSIGNAL;
    if (flags.outOfBand) {
        result |= MSG_OOB;
    }
    if (flags.peek) {
        result |= MSG_PEEK;
    }
    if (flags.dontRoute) {
        result |= MSG_DONTROUTE;
    }
    if (flags.waitAll) {
        result |= MSG_WAITALL;
    }
    return result;
}

void OptionOf(Option option, int& level, int& name) {
    level = SOL_SOCKET;
    name = SO_TYPE;
    switch (option) {
        case Option::ReuseAddress:
            name = SO_REUSEADDR;
            return;
        case Option::KeepAlive:
            name = SO_KEEPALIVE;
            return;
        case Option::Broadcast:
            name = SO_BROADCAST;
            return;
        case Option::SendBuffer:
            name = SO_SNDBUF;
            return;
        case Option::ReceiveBuffer:
            name = SO_RCVBUF;
            return;
        case Option::NoDelay:
            level = IPPROTO_TCP;
            name = TCP_NODELAY;
            return;
        case Option::Error:
            name = SO_ERROR;
            return;
        case Option::Type:
            name = SO_TYPE;
            return;
    }
}

int TimeoutOptionOf(Direction direction) {
    return direction == Direction::Send ? SO_SNDTIMEO : SO_RCVTIMEO;
}

// Milliseconds until `deadline`, rounded up; -1 for no deadline.
int RemainingMilliseconds(const std::chrono::steady_clock::time_point* deadline) {
    if (deadline == nullptr) {
        return -1;
    }
    auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, INT_MAX));
}

// When the socket's time-out for `direction` runs out, counted from now; none for a time-out of 0.
long TimeoutDeadline(int fd, Direction direction, std::optional<Clock::time_point>& deadline) {
    std::uint32_t milliseconds = 0;
    const long result = GetTimeout(fd, direction, milliseconds);
    if (result < 0) {
        return result;
    }
    deadline.reset();
    if (milliseconds > 0) {
        deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    }
    return 0;
}

// Waits until the socket is ready for `events`: 0 ready (or failed, which the next call reports),
// -EAGAIN at the deadline, -EINTR once the thread is asked to stop.
long WaitUntilReady(int fd, short events, const std::optional<Clock::time_point>& deadline) {
    for (;;) {
        if (platform::StopRequested()) {
            return -static_cast<long>(EINTR);
        }
        int slice = kStopPollMilliseconds;
        if (deadline) {
            const int left = RemainingMilliseconds(&*deadline);
            if (left == 0) {
                return -static_cast<long>(EAGAIN);
            }
            slice = std::min(slice, left);
        }
        pollfd watched{fd, events, 0};
        const int ready = poll(&watched, 1, slice);
        if (ready < 0 && errno != EINTR) {
            return Failure();
        }
        if (ready > 0) {
            return (watched.revents & POLLNVAL) != 0 ? -static_cast<long>(EBADF) : 0;
        }
    }
}

}  // namespace

long Open(int type, int protocol) {
    int fd = socket(AF_INET, type | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        return Failure();
    }
    return AwayFromStandardStreams(fd);
}

long Close(int fd) {
    int type = 0;
    socklen_t length = sizeof type;
    if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) != 0) {
        return errno == EBADF ? -static_cast<long>(ENOTSOCK) : Failure();
    }
    shutdown(fd, SHUT_RDWR);
    // The descriptor is released even when close reports an error, so it is never retried.
    return close(fd) == 0 || errno == EINTR ? 0 : Failure();
}

long Shutdown(int fd, int how) {
    return shutdown(fd, how) == 0 ? 0 : Failure();
}

long Bind(int fd, const void* address, int length) {
    sockaddr_in local;
    if (!ReadAddress(address, length, local)) {
        return -static_cast<long>(EFAULT);
    }
    return bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0 ? 0 : Failure();
}

long Listen(int fd, int backlog) {
    return listen(fd, std::min(backlog, SOMAXCONN)) == 0 ? 0 : Failure();
}

long Accept(int fd, void* address) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    long accepted = RetryInterrupted(
        [&] { return accept4(fd, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC); });
    if (accepted < 0) {
        return accepted;
    }
    if (address != nullptr) {
        std::memcpy(address, &peer, sizeof peer);
    }
    return AwayFromStandardStreams(static_cast<int>(accepted));
}

long Connect(int fd, const void* address, int length) {
    sockaddr_in remote;
    if (!ReadAddress(address, length, remote)) {
        return -static_cast<long>(EFAULT);
    }
    const bool blocking = !IsNonBlocking(fd);
    if (blocking && SetNonBlocking(fd, true) < 0) {
        return Failure();
    }
    const int started = connect(fd, reinterpret_cast<const sockaddr*>(&remote), sizeof remote);
    const int error = errno;
    if (blocking) {
        SetNonBlocking(fd, false);
    }
    if (started == 0) {
        return 0;
    }
    if (!blocking || (error != EINPROGRESS && error != EINTR)) {
        return -static_cast<long>(error);
    }
    std::optional<Clock::time_point> deadline;
    long waited = TimeoutDeadline(fd, Direction::Send, deadline);
    if (waited == 0) {
        waited = WaitUntilReady(fd, POLLOUT, deadline);
    }
    if (waited < 0) {
        // Dissolving the half-made connection lets the socket be connected again later.
        sockaddr none{};
        none.sa_family = AF_UNSPEC;
        connect(fd, &none, sizeof none);
        return waited == -EAGAIN ? -static_cast<long>(ETIMEDOUT) : waited;
    }
    int result = 0;
    socklen_t resultLength = sizeof result;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &resultLength) != 0) {
        return Failure();
    }
    return -static_cast<long>(result);
}

long LocalAddress(int fd, void* address) {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return Failure();
    }
    std::memcpy(address, &local, sizeof local);
    return 0;
}

long Send(int fd, const char* data, int length, MessageFlags flags) {
    const int systemFlags = MessageFlagsOf(flags) | MSG_DONTWAIT;
    std::optional<Clock::time_point> deadline;
    bool deadlineKnown = false;
    long sent = 0;
    for (;;) {
        const long step = RetryInterrupted([&] {
            return send(fd, data + sent, static_cast<std::size_t>(length - sent), systemFlags);
        });
        if (step >= 0) {
            sent += step;
            if (sent == length || step == 0) {
                return sent;
            }
            continue;
        }
        if (step != -EAGAIN || IsNonBlocking(fd)) {
            return sent > 0 ? sent : step;
        }
        if (!deadlineKnown) {
            const long known = TimeoutDeadline(fd, Direction::Send, deadline);
            if (known < 0) {
                return sent > 0 ? sent : known;
            }
            deadlineKnown = true;
        }
        const long waited = WaitUntilReady(fd, POLLOUT, deadline);
        if (waited < 0) {
            return sent > 0 ? sent : waited;
        }
    }
}

long Receive(int fd, char* data, int length, MessageFlags flags) {
    int systemFlags = MessageFlagsOf(flags) & ~MSG_NOSIGNAL;
    // Urgent data is never waited for, and a peek reads the same bytes again, so neither gathers
    // pieces.
    const bool gather = flags.waitAll && !flags.peek && !flags.outOfBand;
    systemFlags = (systemFlags & ~MSG_WAITALL) | MSG_DONTWAIT;
    std::optional<Clock::time_point> deadline;
    bool deadlineKnown = false;
    long received = 0;
    for (;;) {
        const long step = RetryInterrupted([&] {
            return recv(fd, data + received, static_cast<std::size_t>(length - received),
                        systemFlags);
        });
        if (step > 0 && gather) {
            received += step;
            if (received == length) {
                return received;
            }
            continue;
        }
        if (step >= 0) {
            return received + step;
        }
        if (step != -EAGAIN || IsNonBlocking(fd) || flags.outOfBand) {
            return received > 0 ? received : step;
        }
        if (!deadlineKnown) {
            const long known = TimeoutDeadline(fd, Direction::Receive, deadline);
            if (known < 0) {
                return received > 0 ? received : known;
            }
            deadlineKnown = true;
        }
        const long waited = WaitUntilReady(fd, POLLIN, deadline);
        if (waited < 0) {
            return received > 0 ? received : waited;
        }
    }
}

long SetIntOption(int fd, Option option, int value) {
    int level;
    int name;
    OptionOf(option, level, name);
    return setsockopt(fd, level, name, &value, sizeof value) == 0 ? 0 : Failure();
}

long GetIntOption(int fd, Option option, int& value) {
    int level;
    int name;
    OptionOf(option, level, name);
    socklen_t length = sizeof value;
    return getsockopt(fd, level, name, &value, &length) == 0 ? 0 : Failure();
}

long SetTimeout(int fd, Direction direction, std::uint32_t milliseconds) {
    timeval limit{};
    limit.tv_sec = static_cast<time_t>(milliseconds / 1000);
    limit.tv_usec = static_cast<suseconds_t>(milliseconds % 1000) * 1000;
    return setsockopt(fd, SOL_SOCKET, TimeoutOptionOf(direction), &limit, sizeof limit) == 0
               ? 0
               : Failure();
}

long GetTimeout(int fd, Direction direction, std::uint32_t& milliseconds) {
    timeval limit{};
    socklen_t length = sizeof limit;
    if (getsockopt(fd, SOL_SOCKET, TimeoutOptionOf(direction), &limit, &length) != 0) {
        return Failure();
    }
    milliseconds = static_cast<std::uint32_t>(limit.tv_sec * 1000 + limit.tv_usec / 1000);
    return 0;
}

long SetNonBlocking(int fd, bool nonBlocking) {
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0) {
        return Failure();
    }
    flags = nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return fcntl(fd, F_SETFL, flags) == 0 ? 0 : Failure();
}

bool IsNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_NONBLOCK) != 0;
}

long BytesWaiting(int fd) {
    int count = 0;
    return ioctl(fd, FIONREAD, &count) == 0 ? count : Failure();
}

long Select(fd_set* readSet, fd_set* writeSet, fd_set* exceptSet, const timeval* timeout) {
    std::vector<pollfd> watched;
    for (int fd = 0; fd < FD_SETSIZE; ++fd) {
        short events = 0;
        if (readSet != nullptr && FD_ISSET(fd, readSet)) {
            events |= POLLIN;
        }
        if (writeSet != nullptr && FD_ISSET(fd, writeSet)) {
            events |= POLLOUT;
        }
        if (exceptSet != nullptr && FD_ISSET(fd, exceptSet)) {
            events |= POLLPRI;
        }
        if (events != 0) {
            watched.push_back(pollfd{fd, events, 0});
        }
    }
    if (watched.empty()) {
        return -static_cast<long>(EINVAL);
    }
    std::chrono::steady_clock::time_point deadline;
    if (timeout != nullptr) {
        if (timeout->tv_sec < 0 || timeout->tv_usec < 0) {
            return -static_cast<long>(EINVAL);
        }
        deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout->tv_sec) +
                   std::chrono::microseconds(timeout->tv_usec);
    }
    long ready = RetryInterrupted([&] {
        return poll(watched.data(), watched.size(),
                    RemainingMilliseconds(timeout != nullptr ? &deadline : nullptr));
    });
    if (ready < 0) {
        return ready;
    }
    long count = 0;
    for (const pollfd& entry : watched) {
        if ((entry.revents & POLLNVAL) != 0) {
            return -static_cast<long>(ENOTSOCK);
        }
        bool failed = (entry.revents & POLLERR) != 0;
        bool readable = (entry.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        bool writable = (entry.revents & POLLOUT) != 0 && !failed;
        bool exceptional = (entry.revents & POLLPRI) != 0 || failed;
        auto keep = [&](fd_set* set, short event, bool isReady) {
            if (set == nullptr || (entry.events & event) == 0) {
                return;
            }
            if (isReady) {
                ++count;
            } else {
                FD_CLR(entry.fd, set);
            }
        };
        keep(readSet, POLLIN, readable);
        keep(writeSet, POLLOUT, writable);
        keep(exceptSet, POLLPRI, exceptional);
    }
    return count;
}

ResolveError Resolve(const char* name, Resolved& result) {
    char hostName[HOST_NAME_MAX + 1] = {};
    if (name == nullptr || *name == '\0') {
        if (gethostname(hostName, sizeof hostName - 1) != 0) {
            return ResolveError::NoRecovery;
        }
        name = hostName;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* answers = nullptr;
    int status = getaddrinfo(name, nullptr, &hints, &answers);
    switch (status) {
        case 0:
            break;
        case EAI_NONAME:
            return ResolveError::HostNotFound;
        case EAI_AGAIN:
            return ResolveError::TryAgain;
        case EAI_NODATA:
        case EAI_ADDRFAMILY:
            return ResolveError::NoData;
        default:
            return ResolveError::NoRecovery;
    }
    result.canonicalName = answers->ai_canonname != nullptr ? answers->ai_canonname : name;
    result.addresses.clear();
    for (addrinfo* answer = answers; answer != nullptr; answer = answer->ai_next) {
        if (answer->ai_family != AF_INET || answer->ai_addrlen < sizeof(sockaddr_in)) {
            continue;
        }
        std::uint32_t address =
            reinterpret_cast<const sockaddr_in*>(answer->ai_addr)->sin_addr.s_addr;
        if (std::find(result.addresses.begin(), result.addresses.end(), address) ==
            result.addresses.end()) {
            result.addresses.push_back(address);
        }
    }
    freeaddrinfo(answers);
    return result.addresses.empty() ? ResolveError::NoData : ResolveError::None;
}

bool ParseDottedAddress(const char* text, std::uint32_t& networkOrder) {
    in_addr parsed{};
    if (text == nullptr || inet_aton(text, &parsed) == 0) {
        return false;
    }
    networkOrder = parsed.s_addr;
    return true;
}

}  // namespace platform::socket_calls
