// A program run in a process of its own with its output, and on request its input, on a pipe; a
// program still running when the object goes is killed. The tests that talk to a second process
// (the link's and the window layer's peers, the programs themselves) start it with this.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::testing {

class ChildProcess {
public:
    // Starts the program `words[0]` with `words` as its arguments.
    explicit ChildProcess(std::vector<std::string> words, bool pipeInput = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // -1 when the program could not be started.
    pid_t pid() const { return pid_; }
    void Signal(int signal) const;
    // Ends the program's input.
    void CloseInput();

    // The next line of output without its newline (a last line may lack one); nullopt once the
    // output has ended or when no line came within `limit`. `whileWaiting` runs between looks at
    // the pipe: a test whose program waits for this thread to handle a message pumps there.
    std::optional<std::string> ReadLine(std::chrono::milliseconds limit,
                                        const std::function<void()>& whileWaiting = {});
    bool OutputEnded() const { return output_ < 0 && pending_.empty(); }
    // The lines until the output ends, each within `limit`; what came by then when one did not.
    std::vector<std::string> ReadToEnd(std::chrono::milliseconds limit,
                                       const std::function<void()>& whileWaiting = {});

    // The exit status; -1 when the program did not exit by itself, or not within `limit` (it is
    // then killed).
    int Wait(std::chrono::milliseconds limit = std::chrono::seconds(20));

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string pending_;
};

// Whether the process `pid` has a file whose path holds `part` mapped (a library it loaded).
bool ProcessMaps(pid_t pid, const std::string& part);

}  // namespace platform::testing
