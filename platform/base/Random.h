// The original runtime's rand/srand generator: values 0..32767 from the same sequence, so that
// seeded runs pick the same numbers. Each user owns a generator instead of sharing one process-wide
// state between threads.
#pragma once

#include <cstdint>

namespace platform {

class Random {
public:
    static constexpr int kMax = 0x7FFF;

    explicit Random(std::uint32_t seed = 1) : state_(seed) {}

    void Seed(std::uint32_t seed) { state_ = seed; }

    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & kMax);
    }

private:
    std::uint32_t state_;
};

}  // namespace platform
