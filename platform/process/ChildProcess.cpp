#include "platform/process/ChildProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <system_error>
#include <thread>

extern char** environ;

namespace platform {
namespace {

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

void Reap(std::shared_ptr<ChildProcess> child, void (*ended)(ChildProcess&, DWORD)) {
    int status = 0;
    pid_t result;
    do {
        result = waitpid(child->pid(), &status, 0);
    } while (result < 0 && errno == EINTR);
    DWORD code = 0;
    if (result == child->pid()) {
        code = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status))
                                 : 128 + static_cast<DWORD>(WTERMSIG(status));
    }
    ended(*child, code);
}

}  // namespace

std::shared_ptr<ChildProcess> ChildProcess::Start(const std::filesystem::path& program,
                                                  const std::vector<std::string>& arguments,
                                                  const std::filesystem::path& folder, int* error) {
    SpawnActions actions;
    if (posix_spawn_file_actions_addchdir_np(actions.get(), folder.c_str()) != 0 ||
        posix_spawn_file_actions_addclosefrom_np(actions.get(), 3) != 0) {
        *error = ENOMEM;
        return nullptr;
    }
    const std::string programText = program.string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programText.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int result =
        posix_spawn(&pid, programText.c_str(), actions.get(), nullptr, argv.data(), environ);
    if (result != 0) {
        *error = result;
        return nullptr;
    }
    auto child = std::make_shared<ChildProcess>(pid);
    try {
        std::thread(Reap, child, [](ChildProcess& process, DWORD code) {
            process.Ended(code);
        }).detach();
    } catch (const std::system_error&) {
        // Without a reaper thread, reap here rather than leave a zombie behind.
        Reap(child, [](ChildProcess& process, DWORD code) { process.Ended(code); });
    }
    return child;
}

DWORD ChildProcess::ExitCode() const {
    return ReadState([this] { return exitCode_; });
}

DWORD ChildProcess::WaitForExit() {
    Waitable* self[] = {this};
    Wait(self, false, std::nullopt);
    return ExitCode();
}

void ChildProcess::Ended(DWORD code) {
    ChangeState([this, code] {
        exitCode_ = code;
        ended_ = true;
    });
}

}  // namespace platform
