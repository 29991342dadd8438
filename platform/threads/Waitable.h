// A kernel object that WaitForSingleObject and WaitForMultipleObjects can wait on (threads, events,
// child processes). Every waitable's signal state lives under one process-wide lock with one
// condition variable, so that a wait for several objects, or for all of them at once, sees a
// consistent picture and takes what it waits for atomically.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <span>

#include "platform/base/KernelObject.h"

namespace platform {

class Waitable : public KernelObject {
public:
    // Waits until one of `objects` (waitAll false) or all of them together are signalled and
    // returns the index of the object that satisfied the wait (the lowest signalled one; 0 for a
    // wait for all); nullopt when `timeout` ran out first. No timeout waits for ever. The
    // satisfying objects are consumed under the lock (an auto-reset event resets).
    static std::optional<std::size_t> Wait(std::span<Waitable* const> objects, bool waitAll,
                                           std::optional<std::chrono::milliseconds> timeout);

protected:
    Waitable() = default;

    // Both called with the signal lock held.
    virtual bool IsSignaled() const = 0;
    virtual void Consume() {}

    // Runs `change` under the signal lock and then wakes every waiter to look again.
    template <typename Change>
    static void ChangeState(Change&& change) {
        {
            std::lock_guard lock(SignalMutex());
            change();
        }
        SignalChanged().notify_all();
    }

    // Reads state under the signal lock.
    template <typename Read>
    static auto ReadState(Read&& read) {
        std::lock_guard lock(SignalMutex());
        return read();
    }

private:
    static std::mutex& SignalMutex();
    static std::condition_variable& SignalChanged();
};

}  // namespace platform
