#include "platform/testing/ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>
#include <utility>

extern char** environ;

namespace platform::testing {

ChildProcess::ChildProcess(std::vector<std::string> words, bool pipeInput) {
    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    if (words.empty() || pipe(output) != 0) {
        return;
    }
    if (pipeInput && pipe(input) != 0) {
        close(output[0]);
        close(output[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipeInput) {
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (pipeInput) {
        close(input[0]);
        input_ = input[1];
    }
    close(output[1]);
    output_ = output[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        Wait();
    }
    CloseInput();
    if (output_ >= 0) {
        close(output_);
    }
}

void ChildProcess::Signal(int signal) const {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

void ChildProcess::CloseInput() {
    if (input_ >= 0) {
        close(input_);
        input_ = -1;
    }
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds limit,
                                                  const std::function<void()>& whileWaiting) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (const size_t newline = pending_.find('\n'); newline != std::string::npos) {
            std::string line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return line;
        }
        if (output_ < 0) {
            if (pending_.empty()) {
                return std::nullopt;
            }
            return std::exchange(pending_, {});
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        if (whileWaiting) {
            whileWaiting();
        }
        pollfd ready{output_, POLLIN, 0};
        if (poll(&ready, 1, 10) <= 0) {
            continue;
        }
        char buffer[256];
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0) {
            close(output_);
            output_ = -1;
            continue;
        }
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

std::vector<std::string> ChildProcess::ReadToEnd(std::chrono::milliseconds limit,
                                                 const std::function<void()>& whileWaiting) {
    std::vector<std::string> lines;
    while (std::optional<std::string> line = ReadLine(limit, whileWaiting)) {
        lines.push_back(std::move(*line));
    }
    return lines;
}

int ChildProcess::Wait(std::chrono::milliseconds limit) {
    const pid_t pid = pid_;
    pid_ = -1;
    if (pid <= 0) {
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

bool ProcessMaps(pid_t pid, const std::string& part) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace platform::testing
