// Waiting in tests for what another thread, another process or the X server does.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace platform::testing {

// Whether `ready` holds within `limit`: looked at every 20 ms, and once more at the end.
// `whileWaiting` runs before each look; a test whose windows live on this thread handles their
// messages there (PumpUntil), since what it waits for often comes to them as a message.
inline bool WaitUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit,
                      const std::function<void()>& whileWaiting = {}) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (whileWaiting) {
            whileWaiting();
        }
        if (ready()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (whileWaiting) {
        whileWaiting();
    }
    return ready();
}

}  // namespace platform::testing
