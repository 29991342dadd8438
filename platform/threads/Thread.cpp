#include "platform/threads/Thread.h"

namespace platform {

DWORD Thread::ExitCode() const {
    return ReadState([this] { return exitCode_; });
}

bool Thread::HasEnded() const {
    return ReadState([this] { return ended_; });
}

void Thread::OverrideExitCode(DWORD code) {
    ChangeState([this, code] {
        if (!ended_) {
            overriddenExitCode_ = code;
        }
    });
}

void Thread::End(DWORD returnedCode) {
    ChangeState([this, returnedCode] {
        exitCode_ = overriddenExitCode_.value_or(returnedCode);
        ended_ = true;
    });
}

}  // namespace platform
