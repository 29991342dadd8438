#include "platform/threads/Waitable.h"

#include <algorithm>

namespace platform {
namespace {

bool Satisfied(std::span<Waitable* const> objects, bool waitAll, std::size_t* index,
               bool (*isSignaled)(const Waitable*)) {
    if (waitAll) {
        *index = 0;
        return std::all_of(objects.begin(), objects.end(), isSignaled);
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (isSignaled(objects[i])) {
            *index = i;
            return true;
        }
    }
    return false;
}

}  // namespace

// Both are never destroyed: worker threads may still signal while the process exits.
std::mutex& Waitable::SignalMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::condition_variable& Waitable::SignalChanged() {
    static auto* changed = new std::condition_variable;
    return *changed;
}

std::optional<std::size_t> Waitable::Wait(std::span<Waitable* const> objects, bool waitAll,
                                          std::optional<std::chrono::milliseconds> timeout) {
    auto isSignaled = [](const Waitable* object) { return object->IsSignaled(); };
    const auto deadline =
        std::chrono::steady_clock::now() + timeout.value_or(std::chrono::milliseconds::zero());
    std::unique_lock lock(SignalMutex());
    std::size_t index = 0;
    while (!Satisfied(objects, waitAll, &index, isSignaled)) {
        if (!timeout) {
            SignalChanged().wait(lock);
        } else if (SignalChanged().wait_until(lock, deadline) == std::cv_status::timeout &&
                   !Satisfied(objects, waitAll, &index, isSignaled)) {
            return std::nullopt;
        }
    }
    if (waitAll) {
        for (Waitable* object : objects) {
            object->Consume();
        }
    } else {
        objects[index]->Consume();
    }
    return index;
}

}  // namespace platform
