// A download over loopback, measured beside curl fetching the same body from the same server in
// the same run: DownloadToFile is expected to reach at least 80 % of curl's bytes per second.
#include "browser/HttpGetter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "browser/SocketClient.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"

namespace {

using platform::testing::TestHttpServer;

constexpr std::size_t kBodySize = 64u << 20;

struct Setup {
    TestHttpServer server;
    platform::testing::TempFolder folder;
    std::string body;
};

Setup& Shared() {
    static const std::unique_ptr<Setup> setup = [] {
        auto made = std::make_unique<Setup>();
        made->body.resize(kBodySize);
        std::uint32_t seed = 0x13579bdf;
        for (char& byte : made->body) {
            seed = seed * 1664525u + 1013904223u;
            byte = static_cast<char>(seed >> 24);
        }
        const std::string& body = made->body;
        made->server.Route("/big.bin", [&body](int fd, const TestHttpServer::Request&) {
            TestHttpServer::SendAll(fd, TestHttpServer::StatusLine(200) + "Content-Length: " +
                                            std::to_string(body.size()) + "\r\n\r\n");
            TestHttpServer::SendAll(fd, body);
        });
        InitWinsock();
        return made;
    }();
    return *setup;
}

void BM_DownloadToFile(benchmark::State& state) {
    Setup& setup = Shared();
    const std::string url = setup.server.Url("/big.bin");
    const std::string path = "Z:" + (setup.folder.path() / "getter.bin").string();
    for (auto _ : state) {
        if (CHttpGetter().DownloadToFile(url.c_str(), path.c_str()) != 0) {
            state.SkipWithError("download failed");
            break;
        }
    }
    if (std::filesystem::file_size(setup.folder.path() / "getter.bin") != kBodySize) {
        state.SkipWithError("wrong size");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}
BENCHMARK(BM_DownloadToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CurlDownload(benchmark::State& state) {
    Setup& setup = Shared();
    const std::string command = "curl -s -o '" + (setup.folder.path() / "curl.bin").string() +
                                "' '" + setup.server.Url("/big.bin") + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("curl failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}
BENCHMARK(BM_CurlDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
