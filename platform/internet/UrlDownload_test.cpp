#include "platform/internet/UrlDownload.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/Path.h"
#include "platform/internet/TestHttpServer.h"
#include "platform/testing/TempFolder.h"

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

}  // namespace
