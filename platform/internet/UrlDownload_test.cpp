#include "platform/internet/UrlDownload.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/files/Path.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"

namespace {

using platform::testing::TempFolder;
using platform::testing::TestHttpServer;
using namespace std::string_literals;

class UrlDownloadTest : public ::testing::Test {
protected:
    // The destination as program code names it: a Windows path with backslashes.
    std::string Destination(const std::string& name) {
        return platform::ToWindowsPath(folder_.path() / name);
    }

    std::size_t EntryCount() {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(folder_.path())) {
            ++count;
        }
        return count;
    }

    TestHttpServer server_;
    TempFolder folder_;
};

TEST_F(UrlDownloadTest, WritesTheBodyByteForByteThroughTheWindowsPath) {
    std::string body = "zip\0\x01\xff data"s;
    body += std::string(300000, '\x7f');
    server_.Serve("/files/a.zip", 200, "", body);
    server_.Serve("/moved", 302, "Location: /files/a.zip\r\n", "");
    folder_.WriteFile("a.zip", "old content");

    EXPECT_EQ(URLDownloadToFileA(nullptr, server_.Url("/moved").c_str(),
                                 Destination("A.ZIP").c_str(), 0, nullptr),
              S_OK);
    EXPECT_TRUE(folder_.ReadFile("a.zip") == body);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(UrlDownloadTest, FailuresLeaveTheDestinationAsItWas) {
    folder_.WriteFile("keep.txt", "kept");
    std::string destination = Destination("keep.txt");
    server_.Serve("/missing", 404, "", "error page");
    server_.Serve("/broken", 500, "", "error page");
    server_.Route("/cut", [](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(
            fd, TestHttpServer::StatusLine(200) + "Content-Length: 100000\r\n\r\nshort");
    });
    std::string closed = "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/";

    EXPECT_EQ(URLDownloadToFileA(nullptr, server_.Url("/missing").c_str(), destination.c_str(), 0,
                                 nullptr),
              INET_E_OBJECT_NOT_FOUND);
    EXPECT_EQ(URLDownloadToFileA(nullptr, server_.Url("/broken").c_str(), destination.c_str(), 0,
                                 nullptr),
              INET_E_DOWNLOAD_FAILURE);
    EXPECT_EQ(
        URLDownloadToFileA(nullptr, server_.Url("/cut").c_str(), destination.c_str(), 0, nullptr),
        INET_E_DOWNLOAD_FAILURE);
    EXPECT_EQ(URLDownloadToFileA(nullptr, closed.c_str(), destination.c_str(), 0, nullptr),
              INET_E_CANNOT_CONNECT);
    EXPECT_EQ(URLDownloadToFileA(nullptr, "http://no-such-host..invalid/", destination.c_str(), 0,
                                 nullptr),
              INET_E_RESOURCE_NOT_FOUND);
    EXPECT_EQ(URLDownloadToFileA(nullptr, "mailto:someone", destination.c_str(), 0, nullptr),
              INET_E_UNKNOWN_PROTOCOL);
    EXPECT_EQ(folder_.ReadFile("keep.txt"), "kept");
    EXPECT_EQ(EntryCount(), 1u);

    server_.Serve("/ok", 200, "", "fine");
    EXPECT_EQ(URLDownloadToFileA(nullptr, server_.Url("/ok").c_str(),
                                 Destination("no-folder\\file.txt").c_str(), 0, nullptr),
              E_FAIL);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(UrlDownloadTest, AStopRequestEndsADownloadThatWaitsForTheServer) {
    server_.Route("/silent", [this](int, const TestHttpServer::Request&) {
        server_.Stall(std::chrono::seconds(30));
    });
    server_.Route("/half", [this](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(
            fd, TestHttpServer::StatusLine(200) + "Content-Length: 100000\r\n\r\nfirst part");
        server_.Stall(std::chrono::seconds(30));
    });
    for (const char* target : {"/silent", "/half"}) {
        struct Download {
            std::string url;
            std::string destination;
            HRESULT result = S_OK;
        } download{server_.Url(target), Destination("stopped.bin")};
        const std::size_t requested = server_.Requests().size() + 1;
        HANDLE thread = CreateThread(
            nullptr, 0,
            [](LPVOID parameter) -> DWORD {
                auto& download = *static_cast<Download*>(parameter);
                download.result = URLDownloadToFileA(nullptr, download.url.c_str(),
                                                     download.destination.c_str(), 0, nullptr);
                return 0;
            },
            &download, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        for (int i = 0; i < 500 && server_.Requests().size() < requested; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        platform::RequestStop(thread);
        EXPECT_EQ(WaitForSingleObject(thread, 20000), WAIT_OBJECT_0) << target;
        CloseHandle(thread);
        EXPECT_EQ(download.result, E_ABORT) << target;
        EXPECT_EQ(EntryCount(), 0u) << target;
    }
}

}  // namespace
