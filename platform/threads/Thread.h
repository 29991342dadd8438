// The kernel object of a thread started by CreateThread: signalled once the thread has ended, with
// its exit code, and the stop token that replaces killing a thread. A thread that is asked to stop
// is never interrupted; it ends when its own code sees platform::StopRequested().
#pragma once

#include <atomic>
#include <optional>

#include "platform/threads/Waitable.h"

#ifndef STILL_ACTIVE
#define STILL_ACTIVE 259
#endif

namespace platform {

class Thread : public Waitable {
public:
    explicit Thread(DWORD id) : id_(id) {}

    DWORD id() const { return id_; }

    void RequestStop() { stopRequested_.store(true); }
    bool StopRequested() const { return stopRequested_.load(); }

    // STILL_ACTIVE while the thread runs.
    DWORD ExitCode() const;
    bool HasEnded() const;
    // The exit code that TerminateThread asked for replaces the one the thread returns.
    void OverrideExitCode(DWORD code);
    void End(DWORD returnedCode);

protected:
    bool IsSignaled() const override { return ended_; }

private:
    const DWORD id_;
    std::atomic<bool> stopRequested_{false};
    bool ended_ = false;
    DWORD exitCode_ = STILL_ACTIVE;
    std::optional<DWORD> overriddenExitCode_;
};

}  // namespace platform
