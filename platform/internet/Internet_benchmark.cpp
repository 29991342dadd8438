// Downloads a 64 MiB body from a loopback server through InternetReadFile and, for comparison in
// the same run, with the curl command-line tool. The goal: at least half of curl's speed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/internet/HttpServerTest.h"
#include "platform/internet/WinInet.h"

namespace {

using platform::testing::TestHttpServer;

constexpr std::size_t kBodyBytes = 64u * 1024 * 1024;

TestHttpServer& Server() {
    static TestHttpServer* server = [] {
        auto* created = new TestHttpServer;
        auto body = std::make_shared<std::string>(kBodyBytes, 'b');
        created->Route("/big", [body](int fd, const TestHttpServer::Request&) {
            TestHttpServer::SendAll(fd, TestHttpServer::StatusLine(200) + "Content-Length: " +
                                            std::to_string(body->size()) + "\r\n\r\n");
            TestHttpServer::SendAll(fd, *body);
        });
        return created;
    }();
    return *server;
}

void InternetReadFileDownload(benchmark::State& state) {
    DWORD block = static_cast<DWORD>(state.range(0));
    std::string url = Server().Url("/big");
    std::vector<char> buffer(block);
    for (auto _ : state) {
        HINTERNET session =
            InternetOpenA("myhttpget", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        HINTERNET file =
            InternetOpenUrlA(session, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
        std::size_t total = 0;
        DWORD read = 0;
        while (file != nullptr && InternetReadFile(file, buffer.data(), block, &read) && read > 0) {
            total += read;
        }
        InternetCloseHandle(file);
        InternetCloseHandle(session);
        if (total != kBodyBytes) {
            state.SkipWithError("the body did not arrive whole");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodyBytes));
}
BENCHMARK(InternetReadFileDownload)
    ->Arg(6144)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void CurlToolDownload(benchmark::State& state) {
    if (std::system("command -v curl > /dev/null 2>&1") != 0) {
        state.SkipWithError("curl is not installed");
        return;
    }
    std::string command = "curl -s -o /dev/null -w '%{size_download}' " + Server().Url("/big");
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        char size[32] = {};
        std::size_t length = pipe != nullptr ? std::fread(size, 1, sizeof size - 1, pipe) : 0;
        if (pipe == nullptr || pclose(pipe) != 0 ||
            std::string(size, length) != std::to_string(kBodyBytes)) {
            state.SkipWithError("curl did not fetch the body whole");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodyBytes));
}
BENCHMARK(CurlToolDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
