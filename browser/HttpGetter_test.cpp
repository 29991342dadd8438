#include "browser/HttpGetter.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "browser/SocketClient.h"
#include "platform/files/MappedDriveTest.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"

namespace {

using platform::testing::TestHttpServer;
using namespace std::string_literals;

constexpr char kFixedHeaders[] =
    " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\n"
    "Pragma: no-cache\r\nCache-Control: no-cache\r\nConnection: close\r\n";

class HttpGetterTest : public platform::testing::MappedDriveTest {
protected:
    void SetUp() override { InitWinsock(); }

    static int Download(const std::string& url, const char* path = "C:\\out.bin") {
        return CHttpGetter().DownloadToFile(url.c_str(), path);
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(OnDisk(name)); }
    // Answers with `bytes` as they are, in one send.
    void Raw(const std::string& target, const std::string& bytes) {
        server_.Route(target, [bytes](int fd, const TestHttpServer::Request&) {
            TestHttpServer::SendAll(fd, bytes);
        });
    }

    TestHttpServer server_;
};

TEST_F(HttpGetterTest, TheRequestEscapesEveryByteOfQueryValues) {
    server_.Serve("/p?a=%62%63&d=%31", 200, "", "body");
    EXPECT_EQ(Download(server_.Url("/p?a=bc&d=1")), 0);
    EXPECT_EQ(Read("out.bin"), "body");
    EXPECT_EQ(Download(server_.Url("/dir/file.zip")), 0);
    EXPECT_EQ(Download(server_.Url("/s?q=\xc4\xe3&w=a=b&=\x80\xff")), 0);

    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].head, "GET /p?a=%62%63&d=%31"s + kFixedHeaders);
    EXPECT_EQ(requests[1].target, "/dir/file.zip");
    EXPECT_EQ(requests[2].target, "/s?q=%C4%E3&w=%61=%62&=%80%FF");
}

TEST_F(HttpGetterTest, TheBodyAfterTheHeadersIsWrittenByteForByteWhateverTheStatus) {
    std::string large;
    for (int i = 0; i < 300000; ++i) {
        large += static_cast<char>(i * 7);
    }
    Raw("/one", "HTTP/1.1 200 OK\r\nA: b\r\n\r\nbo\0dy\r\n\r\n"s + large);
    server_.Route("/split", [](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(fd, "HTTP/1.1 200 OK\r\nA: b\r\n\r");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        TestHttpServer::SendAll(fd, "\nbody after a split blank line");
    });
    server_.Serve("/missing", 404, "", "error page");
    Raw("/cut", TestHttpServer::StatusLine(200) + "Content-Length: 100000\r\n\r\npartial");
    Write("out.bin", "old content that is longer");

    EXPECT_EQ(Download(server_.Url("/one")), 0);
    EXPECT_TRUE(Read("out.bin") == "bo\0dy\r\n\r\n"s + large);
    EXPECT_EQ(Download(server_.Url("/split")), 0);
    EXPECT_EQ(Read("out.bin"), "body after a split blank line");
    EXPECT_EQ(Download(server_.Url("/missing")), 0);
    EXPECT_EQ(Read("out.bin"), "error page");
    // The length the server announced is not looked at: the body ends with the connection.
    EXPECT_EQ(Download(server_.Url("/cut")), 0);
    EXPECT_EQ(Read("out.bin"), "partial");
    EXPECT_FALSE(Exists("out.bin.part"));
}

TEST_F(HttpGetterTest, AResponseWithoutABlankLineGivesAnEmptyFileWithoutWaitingForItsEnd) {
    server_.Route("/endless", [this](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(fd, "HTTP/1.1 200 OK\r\n" + std::string(1 << 20, 'h'));
        server_.Stall(std::chrono::seconds(60));
    });
    Write("out.bin", "old");
    EXPECT_EQ(Download(server_.Url("/endless")), 0);
    EXPECT_TRUE(Exists("out.bin"));
    EXPECT_EQ(Read("out.bin"), "");
}

TEST_F(HttpGetterTest, FailuresLeaveTheDestinationAsItWas) {
    Write("keep.txt", "kept");
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/file";
    // On the test clock the pauses after the two refused attempts pass at once and are counted.
    platform::UseTestClock(SYSTEMTIME{2026, 3, 0, 14, 9, 0, 0, 0});
    const auto before = platform::MonotonicNow();
    EXPECT_EQ(Download(closed, "C:\\keep.txt"), 1);
    EXPECT_EQ(Download(closed), 1);
    EXPECT_EQ(platform::MonotonicNow() - before, std::chrono::milliseconds(4000));
    platform::UseRealClock();
    EXPECT_EQ(Download("http://no-such-host..invalid/"), 1);
    EXPECT_EQ(Download("www.example.cn/no-scheme"), 1);
    server_.Serve("/ok", 200, "", "fine");
    EXPECT_EQ(Download(server_.Url("/ok"), "C:\\no-folder\\out.bin"), 1);
    EXPECT_EQ(CHttpGetter().DownloadToFile(server_.Url("/ok").c_str(), nullptr), 1);

    // A peer that resets the connection while the request is still going out: the send fails.
    int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    std::thread resetter([listener] {
        pollfd incoming{listener, POLLIN, 0};
        if (poll(&incoming, 1, 20000) <= 0) {
            return;
        }
        int fd = accept(listener, nullptr, nullptr);
        pollfd request{fd, POLLIN, 0};
        poll(&request, 1, 20000);
        linger reset{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        close(fd);
    });
    const std::string huge = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) +
                             "/upload?data=" + std::string(8 << 20, 'v');
    EXPECT_EQ(Download(huge, "C:\\keep.txt"), 1);
    resetter.join();
    close(listener);

    EXPECT_EQ(Read("keep.txt"), "kept");
    EXPECT_FALSE(Exists("out.bin"));
    EXPECT_FALSE(Exists("keep.txt.part"));
    EXPECT_FALSE(Exists("out.bin.part"));
}

TEST_F(HttpGetterTest, AStopRequestEndsADownloadFromAServerThatNeverAnswers) {
    server_.Route("/silent", [this](int, const TestHttpServer::Request&) {
        server_.Stall(std::chrono::seconds(60));
    });
    struct Download {
        std::string url;
        int result = -1;
    } download{server_.Url("/silent")};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            auto& download = *static_cast<Download*>(parameter);
            download.result = CHttpGetter().DownloadToFile(download.url.c_str(), "C:\\out.bin");
            return 0;
        },
        &download, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    for (int i = 0; i < 1000 && server_.Requests().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    platform::RequestStop(thread);
    EXPECT_EQ(WaitForSingleObject(thread, 20000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(download.result, 1);
    EXPECT_FALSE(Exists("out.bin"));
    EXPECT_FALSE(Exists("out.bin.part"));
}

}  // namespace
