// Waiting in a test whose windows live on its own thread: their messages keep moving meanwhile,
// through the same path as a message loop.
#pragma once

#include <chrono>
#include <functional>

#include "platform/testing/WaitUntil.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::testing {

inline bool PumpUntil(const std::function<bool()>& ready,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    return WaitUntil(ready, limit, [] { PumpUntilIdle(); });
}

}  // namespace platform::testing
