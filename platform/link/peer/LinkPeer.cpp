// A second program for the link tests.
//   link_peer serve <title>   publishes a hidden window with that title, prints "ready", and on
//                             a posted WM_CLOSE prints every message it received and ends;
//   link_peer single <title>  like a single-instance program: when a window with that title
//                             exists it sends it the activation message, prints "found <result>"
//                             and ends with status 3; otherwise it serves;
//   link_peer crash <title>   publishes, prints "ready" and, once its input ends, ends without
//                             withdrawing anything, as a crashed program would;
//   link_peer stall <title>   opens many connections to the process of the window with that
//                             title, sends nothing on them, prints "stalled" and holds them
//                             until its input ends, as a hung or hostile program would.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "platform/link/Link.h"
#include "platform/link/RuntimeFolder.h"

namespace {

constexpr UINT kClose = 0x10;
constexpr UINT kActivate = 0x401;
constexpr LRESULT kActivateAnswer = 77;
constexpr int kStalledConnections = 100;

std::mutex mutex;
std::condition_variable changed;
std::vector<std::string> received;
bool closed = false;

LRESULT Receive(std::uintptr_t, UINT message, WPARAM wParam, LPARAM lParam, bool) {
    std::lock_guard lock(mutex);
    received.push_back(std::to_string(message) + " " + std::to_string(wParam) + " " +
                       std::to_string(lParam));
    if (message == kClose) {
        closed = true;
    }
    changed.notify_all();
    return message == kActivate ? kActivateAnswer : 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace platform::link;
    if (argc != 3) {
        return 2;
    }
    const std::string mode = argv[1];
    const std::string title = argv[2];
    if (mode == "stall") {
        const auto target = FindWindowByTitle(title);
        const auto folder = RuntimeFolder();
        if (!target || !folder) {
            return 5;
        }
        const std::string socketPath =
            (*folder / (std::to_string(target->processId) + ".sock")).string();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
        std::vector<int> held;
        for (int i = 0; i < kStalledConnections; ++i) {
            const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            held.push_back(fd);
        }
        std::printf("stalled\n");
        std::fflush(stdout);
        char buffer[64];
        while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
        }
        return 0;
    }
    if (mode == "single") {
        if (auto first = FindWindowByTitle(title)) {
            auto answer = SendToWindow(*first, kActivate, 0, 0, std::chrono::seconds(5));
            std::printf("found %lld\n", answer ? static_cast<long long>(*answer) : -1LL);
            return 3;
        }
    }
    SetDeliveryHandler(Receive);
    WindowRecord record;
    record.window = 0x10010;
    record.title = title;
    record.rect = {10, 20, 110, 220};
    record.zOrder = NextZOrder();
    if (!Publish(record)) {
        return 4;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    if (mode == "crash") {
        char buffer[64];
        while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
        }
        _exit(0);
    }
    std::unique_lock lock(mutex);
    changed.wait(lock, [] { return closed; });
    for (const std::string& line : received) {
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
