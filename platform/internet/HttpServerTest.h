// A small HTTP server on 127.0.0.1 for the tests and benchmarks of the internet functions: it
// listens on an ephemeral port, answers each connection on a thread of its own with the handler
// registered for the request's target (path and query) and closes the connection after it. A
// handler writes raw bytes, so it can answer with any status, header, framing or misbehaviour.
// Everything stops and is joined when the server goes away; waits inside handlers are bounded.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace platform::testing {

class TestHttpServer {
public:
    struct Request {
        std::string method;
        std::string target;
        // The request line and header lines as received, up to the empty line.
        std::string head;
    };
    using Handler = std::function<void(int fd, const Request& request)>;

    TestHttpServer() {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 64) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("cannot listen on 127.0.0.1");
        }
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { AcceptLoop(); });
    }

    ~TestHttpServer() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        stopped_.notify_all();
        acceptor_.join();
        close(listener_);
        for (std::thread& connection : connections_) {
            connection.join();
        }
    }

    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string Url(std::string_view target) const {
        return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
    }

    void Route(const std::string& target, Handler handler) {
        std::lock_guard lock(mutex_);
        routes_[target] = std::move(handler);
    }
    // Answers `target` with a complete response of that status, headers and body.
    void Serve(const std::string& target, int status, const std::string& headers,
               std::string body) {
        Route(target, [=](int fd, const Request&) {
            SendAll(fd, StatusLine(status) + headers +
                            "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
        });
    }

    std::vector<Request> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    // Waits until the server stops or the time passes; handlers stall with it.
    void Stall(std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        stopped_.wait_for(lock, limit, [this] { return stopping_; });
    }

    // Every connection carries one request, and the client is told so: a client that reused a
    // connection the server is closing would see it reset.
    static std::string StatusLine(int status) {
        return "HTTP/1.1 " + std::to_string(status) + " Status " + std::to_string(status) +
               "\r\nConnection: close\r\n";
    }

    static bool SendAll(int fd, std::string_view bytes) {
        while (!bytes.empty()) {
            ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }

    // A loopback port that nothing listens on.
    static std::uint16_t ClosedPort() {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        close(fd);
        return ntohs(address.sin_port);
    }

private:
    static constexpr std::size_t kMaxHead = 64 * 1024;

    bool Stopping() {
        std::lock_guard lock(mutex_);
        return stopping_;
    }

    void AcceptLoop() {
        while (!Stopping()) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, 20) <= 0) {
                continue;
            }
            int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                connections_.emplace_back([this, fd] {
                    Answer(fd);
                    close(fd);
                });
            }
        }
    }

    void Answer(int fd) {
        timeval limit{5, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxHead) {
            ssize_t count = recv(fd, buffer, sizeof buffer, 0);
            if (count <= 0) {
                return;
            }
            head.append(buffer, static_cast<std::size_t>(count));
        }
        Request request;
        request.head = head.substr(0, head.find("\r\n\r\n") + 2);
        std::size_t methodEnd = head.find(' ');
        std::size_t targetEnd = head.find(' ', methodEnd + 1);
        request.method = head.substr(0, methodEnd);
        request.target = head.substr(methodEnd + 1, targetEnd - methodEnd - 1);
        Handler handler;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            auto found = routes_.find(request.target);
            if (found != routes_.end()) {
                handler = found->second;
            }
        }
        if (handler) {
            handler(fd, request);
        } else {
            SendAll(fd, StatusLine(404) + "Content-Length: 0\r\n\r\n");
        }
        // Lets the client see the whole response before the connection goes away.
        shutdown(fd, SHUT_WR);
        for (int round = 0; round < 250 && !Stopping(); ++round) {
            pollfd waiting{fd, POLLIN, 0};
            if (poll(&waiting, 1, 20) > 0 && recv(fd, buffer, sizeof buffer, 0) <= 0) {
                return;
            }
        }
    }

    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::thread acceptor_;
    std::vector<std::thread> connections_;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::map<std::string, Handler> routes_;
    std::vector<Request> requests_;
};

}  // namespace platform::testing
