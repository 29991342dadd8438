#include "platform/link/Receiver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <system_error>
#include <thread>

namespace platform::link {

// Owned jointly by the Receiver and its thread, so that a thread left behind after a bounded
// stop still finds its state alive.
struct Receiver::Shared {
    int listenFd = -1;
    int wakeRead = -1;
    Deliver deliver;
    std::thread::id threadId;
    std::promise<void> finished;
};

namespace {

// A peer that stalls may hold the receiver this long per message at most.
constexpr int kPeerTimeoutSeconds = 2;
// How long a stop waits for a delivery that is still running.
constexpr auto kStopWait = std::chrono::seconds(2);

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

// Reads exactly `size` bytes; false on an error, a time-out or an early end.
bool ReadExactly(int fd, std::string* bytes, std::size_t size, int timeoutMilliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    bytes->assign(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{fd, POLLIN, 0};
        const int ready = poll(&entry, 1, static_cast<int>(std::max<long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t got = recv(fd, bytes->data() + done, size - done, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

bool SameUser(int fd) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 &&
           credentials.uid == getuid();
}

void Serve(Receiver::Shared& shared, int client) {
    timeval timeout{kPeerTimeoutSeconds, 0};
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    std::string bytes;
    if (!SameUser(client) ||
        !ReadExactly(client, &bytes, kRequestBytes, kPeerTimeoutSeconds * 1000)) {
        return;
    }
    if (auto request = DecodeRequest(bytes)) {
        WriteAll(client, EncodeReply(shared.deliver(*request)));
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
        const int client = accept4(shared->listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        Serve(*shared, client);
        close(client);
    }
    close(shared->listenFd);
    close(shared->wakeRead);
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
        listen(listenFd, 16) != 0 || pipe2(wake, O_CLOEXEC) != 0) {
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
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<LinkReply> reply;
    std::string bytes;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        WriteAll(fd, EncodeRequest(request)) &&
        ReadExactly(fd, &bytes, kReplyBytes, timeoutMilliseconds)) {
        reply = DecodeReply(bytes);
    }
    close(fd);
    return reply;
}

}  // namespace platform::link
