// The listening end of a process's link socket: a thread that accepts one connection per
// message and checks that the peer belongs to the same user; each connection is then served on
// a thread of its own (read the request, hand it to the delivery function, write the reply)
// within a time-out, so that a slow or hostile peer delays no one else. A peer process may hold
// a few connections at once; more are closed unanswered. The delivery function may therefore be
// called from several threads at once.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/link/LinkMessage.h"

namespace platform::link {

class Receiver {
public:
    using Deliver = std::function<LinkReply(const LinkRequest&)>;

    // Binds `socketPath` (replacing what is there) and starts receiving; null on failure.
    static std::unique_ptr<Receiver> Start(const std::filesystem::path& socketPath,
                                           Deliver deliver);
    // Stops the thread, waiting a bounded time for the connections in progress, and removes the
    // socket.
    ~Receiver();
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    struct Shared;

private:
    Receiver(std::filesystem::path socketPath, std::shared_ptr<Shared> shared, int wakeWrite);

    std::filesystem::path socketPath_;
    std::shared_ptr<Shared> shared_;
    int wakeWrite_;
};

// Connects to the link socket at `socketPath`, sends `request` and waits up to `timeout` for
// the reply, all within that time; nullopt when the socket cannot be reached or no reply came
// in time.
std::optional<LinkReply> Exchange(const std::filesystem::path& socketPath,
                                  const LinkRequest& request, int timeoutMilliseconds);

}  // namespace platform::link
