// A program started as a real child process. A reaper thread collects its exit status as soon as
// it ends, so no child is ever left as a zombie, and the object turns signalled for
// WaitForSingleObject. The exit code is the child's exit status, or 128 plus the signal that
// ended it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/threads/Waitable.h"

namespace platform {

class ChildProcess : public Waitable {
public:
    // Starts `program` with `arguments` (argv[1] onwards, passed as they are) in `folder`, with
    // this process's environment and none of its descriptors beyond the standard three. Null
    // with `*error` set to the errno of the failure.
    static std::shared_ptr<ChildProcess> Start(const std::filesystem::path& program,
                                               const std::vector<std::string>& arguments,
                                               const std::filesystem::path& folder, int* error);

    explicit ChildProcess(pid_t pid) : pid_(pid) {}

    pid_t pid() const { return pid_; }
    // STILL_ACTIVE (259) while the child runs.
    DWORD ExitCode() const;
    // Blocks until the child has ended and returns its exit code.
    DWORD WaitForExit();

protected:
    bool IsSignaled() const override { return ended_; }

private:
    void Ended(DWORD code);

    const pid_t pid_;
    bool ended_ = false;
    DWORD exitCode_ = 259;
};

}  // namespace platform
