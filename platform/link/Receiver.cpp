#include "platform/link/Receiver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace platform::link {

// Owned jointly by the Receiver, its thread and the threads serving connections, so that a
// thread left behind after a bounded stop still finds its state alive.
struct Receiver::Shared {
    int listenFd = -1;
    int wakeRead = -1;
    Deliver deliver;
    std::thread::id threadId;
    std::promise<void> finished;
    std::mutex mutex;
    std::condition_variable served;
    // Connections being served, in all and for each peer process.
    int connections = 0;
    std::map<pid_t, int> connectionsOfPeer;
};

namespace {

// A peer that stalls holds its own connection this long per message at most, never anyone
// else's: connections are served side by side.
constexpr int kPeerTimeoutMilliseconds = 2000;
// Connections served at once, in all and from one process: a peer that opens many idle
// connections uses up its own share only.
constexpr int kMaxConnections = 64;
constexpr int kMaxConnectionsPerPeer = 4;
// How long a stop waits for a delivery that is still running.
constexpr auto kStopWait = std::chrono::seconds(2);

using Clock = std::chrono::steady_clock;

bool FillAddress(const std::filesystem::path& path, sockaddr_un* address) {
    const std::string text = path.string();
    if (text.size() >= sizeof address->sun_path) {
        return false;
    }
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    std::memcpy(address->sun_path, text.c_str(), text.size() + 1);
    return true;
}

// Waits until `fd` is ready for `events` or the deadline passes; false on a time-out or error.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, static_cast<int>(std::max<long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        return ready > 0;
    }
}

// Reads exactly `size` bytes; false on an error, a time-out or an early end.
bool ReadExactly(int fd, std::string* bytes, std::size_t size, Clock::time_point deadline) {
    bytes->assign(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        if (!WaitFor(fd, POLLIN, deadline)) {
            return false;
        }
        const ssize_t got = recv(fd, bytes->data() + done, size - done, 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const std::string& bytes, Clock::time_point deadline) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && errno == EAGAIN) {
            if (!WaitFor(fd, POLLOUT, deadline)) {
                return false;
            }
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

// The peer's process when it belongs to the same user.
std::optional<pid_t> PeerOfSameUser(int fd) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 ||
        credentials.uid != getuid()) {
        return std::nullopt;
    }
    return credentials.pid;
}

void Serve(const std::shared_ptr<Receiver::Shared>& shared, int client, pid_t peer) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kPeerTimeoutMilliseconds);
    std::string bytes;
    if (ReadExactly(client, &bytes, kRequestBytes, deadline)) {
        if (auto request = DecodeRequest(bytes)) {
            const std::string reply = EncodeReply(shared->deliver(*request));
            WriteAll(client, reply,
                     Clock::now() + std::chrono::milliseconds(kPeerTimeoutMilliseconds));
        }
    }
    close(client);
    std::lock_guard lock(shared->mutex);
    --shared->connections;
    if (--shared->connectionsOfPeer[peer] == 0) {
        shared->connectionsOfPeer.erase(peer);
    }
    shared->served.notify_all();
}

// Takes the connection on a thread of its own, unless the receiver or this peer has as many as
// it may serve; then the connection is closed at once and the peer's exchange fails.
void Accept(const std::shared_ptr<Receiver::Shared>& shared, int client) {
    const std::optional<pid_t> peer = PeerOfSameUser(client);
    if (!peer) {
        close(client);
        return;
    }
    {
        std::lock_guard lock(shared->mutex);
        if (shared->connections >= kMaxConnections ||
            shared->connectionsOfPeer[*peer] >= kMaxConnectionsPerPeer) {
            if (shared->connectionsOfPeer[*peer] == 0) {
                shared->connectionsOfPeer.erase(*peer);
            }
            close(client);
            return;
        }
        ++shared->connections;
        ++shared->connectionsOfPeer[*peer];
    }
    try {
        std::thread(Serve, shared, client, *peer).detach();
    } catch (const std::system_error&) {
        std::lock_guard lock(shared->mutex);
        --shared->connections;
        if (--shared->connectionsOfPeer[*peer] == 0) {
            shared->connectionsOfPeer.erase(*peer);
        }
        close(client);
    }
}

void Run(std::shared_ptr<Receiver::Shared> shared) {
    for (;;) {
        pollfd entries[2] = {{shared->listenFd, POLLIN, 0}, {shared->wakeRead, POLLIN, 0}};
        if (poll(entries, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (entries[1].revents != 0) {
            break;
        }
        if ((entries[0].revents & POLLIN) == 0) {
            continue;
        }
        const int client =
            accept4(shared->listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client >= 0) {
            Accept(shared, client);
        }
    }
    close(shared->listenFd);
    close(shared->wakeRead);
    {
        // Every connection ends within its time-out, or once its delivery returns.
        std::unique_lock lock(shared->mutex);
        shared->served.wait(lock, [&] { return shared->connections == 0; });
    }
    shared->finished.set_value();
}

}  // namespace

std::unique_ptr<Receiver> Receiver::Start(const std::filesystem::path& socketPath,
                                          Deliver deliver) {
    sockaddr_un address{};
    if (!FillAddress(socketPath, &address)) {
        return nullptr;
    }
    const int listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd < 0) {
        return nullptr;
    }
    unlink(socketPath.c_str());
    int wake[2] = {-1, -1};
    if (bind(listenFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listenFd, SOMAXCONN) != 0 || pipe2(wake, O_CLOEXEC) != 0) {
        close(listenFd);
        unlink(socketPath.c_str());
        return nullptr;
    }
    auto shared = std::make_shared<Shared>();
    shared->listenFd = listenFd;
    shared->wakeRead = wake[0];
    shared->deliver = std::move(deliver);
    try {
        std::thread thread(Run, shared);
        shared->threadId = thread.get_id();
        thread.detach();
    } catch (const std::system_error&) {
        close(listenFd);
        close(wake[0]);
        close(wake[1]);
        unlink(socketPath.c_str());
        return nullptr;
    }
    return std::unique_ptr<Receiver>(new Receiver(socketPath, std::move(shared), wake[1]));
}

Receiver::Receiver(std::filesystem::path socketPath, std::shared_ptr<Shared> shared, int wakeWrite)
    : socketPath_(std::move(socketPath)), shared_(std::move(shared)), wakeWrite_(wakeWrite) {}

Receiver::~Receiver() {
    unlink(socketPath_.c_str());
    // Closing the write end wakes the thread; a delivery may be calling into this very
    // destructor, in which case the thread ends on its own once it returns.
    std::future<void> finished = shared_->finished.get_future();
    close(wakeWrite_);
    if (std::this_thread::get_id() != shared_->threadId) {
        finished.wait_for(kStopWait);
    }
}

std::optional<LinkReply> Exchange(const std::filesystem::path& socketPath,
                                  const LinkRequest& request, int timeoutMilliseconds) {
    sockaddr_un address{};
    if (!FillAddress(socketPath, &address)) {
        return std::nullopt;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    // A receiver whose queue of connections is full refuses at once rather than making the
    // caller wait in connect: it is asked again until the time is up.
    int connected = -1;
    for (;;) {
        connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        if (connected == 0 || (errno != EAGAIN && errno != EINTR) || Clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::optional<LinkReply> reply;
    std::string bytes;
    if (connected == 0 && WriteAll(fd, EncodeRequest(request), deadline) &&
        ReadExactly(fd, &bytes, kReplyBytes, deadline)) {
        reply = DecodeReply(bytes);
    }
    close(fd);
    return reply;
}

}  // namespace platform::link
