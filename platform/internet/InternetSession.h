// The handle InternetOpenA gives: the settings that the addresses opened through it start with.
#pragma once

#include <mutex>

#include "platform/base/KernelObject.h"
#include "platform/internet/InternetSettings.h"

namespace platform {

class InternetSession : public KernelObject {
public:
    explicit InternetSession(InternetSettings settings) : settings_(std::move(settings)) {}

    InternetSettings Settings() const {
        std::lock_guard lock(mutex_);
        return settings_;
    }

    template <typename Change>
    void ChangeSettings(Change change) {
        std::lock_guard lock(mutex_);
        change(settings_);
    }

private:
    mutable std::mutex mutex_;
    InternetSettings settings_;
};

}  // namespace platform
