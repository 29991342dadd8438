// The listening end of a process's link socket: a thread that accepts one connection per
// message, checks that the peer belongs to the same user, reads the request, hands it to the
// delivery function and writes the reply. Messages are taken one at a time, in arrival order.
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
    // Stops the thread, waiting a bounded time for a delivery in progress, and removes the
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
// the reply; nullopt when the socket cannot be reached or no reply came in time.
std::optional<LinkReply> Exchange(const std::filesystem::path& socketPath,
                                  const LinkRequest& request, int timeoutMilliseconds);

}  // namespace platform::link
