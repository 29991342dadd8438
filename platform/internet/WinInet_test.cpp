#include "platform/internet/WinInet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "platform/internet/HttpServerTest.h"

namespace {

using platform::testing::TestHttpServer;

std::string BinaryBody(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string body(size, '\0');
    for (char& byte : body) {
        byte = static_cast<char>(random());
    }
    body[0] = '\0';
    return body;
}

class WinInetTest : public ::testing::Test {
protected:
    void SetUp() override {
        session_ = InternetOpenA("myhttpget", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        ASSERT_NE(session_, nullptr);
    }
    void TearDown() override {
        if (url_ != nullptr) {
            InternetCloseHandle(url_);
        }
        InternetCloseHandle(session_);
    }

    HINTERNET Open(const std::string& target, DWORD flags = INTERNET_FLAG_RELOAD) {
        url_ = InternetOpenUrlA(session_, server_.Url(target).c_str(), nullptr, 0, flags, 0);
        return url_;
    }

    // Reads the body in blocks of `block` bytes as the programs do, until the end or a failure.
    std::string ReadAll(DWORD block, DWORD* failure = nullptr, int* reads = nullptr) {
        std::string body;
        std::string buffer(block, '\0');
        for (int count = 1;; ++count) {
            DWORD read = 0;
            if (!InternetReadFile(url_, buffer.data(), block, &read)) {
                if (failure != nullptr) {
                    *failure = GetLastError();
                }
                return body;
            }
            if (reads != nullptr) {
                *reads = count;
            }
            if (read == 0) {
                return body;
            }
            body.append(buffer.data(), read);
        }
    }

    std::string QueryText(DWORD level, DWORD* index = nullptr) {
        char text[512] = {};
        DWORD length = sizeof text;
        if (!HttpQueryInfoA(url_, level, text, &length, index)) {
            return "<error " + std::to_string(GetLastError()) + ">";
        }
        return std::string(text, length);
    }

    TestHttpServer server_;
    HINTERNET session_ = nullptr;
    HINTERNET url_ = nullptr;
};

TEST_F(WinInetTest, GetDeliversStatusHeadersAndBodyByteForByte) {
    std::string body = BinaryBody(10000, 1);
    server_.Serve("/page?id=1", 200, "Content-Type: text/html\r\nX-Part: one\r\nx-part:  two \r\n",
                  body);
    ASSERT_NE(Open("/page?id=1"), nullptr);

    EXPECT_EQ(QueryText(HTTP_QUERY_STATUS_CODE), "200");
    EXPECT_EQ(QueryText(HTTP_QUERY_STATUS_TEXT), "Status 200");
    EXPECT_EQ(QueryText(HTTP_QUERY_VERSION), "HTTP/1.1");
    EXPECT_EQ(QueryText(HTTP_QUERY_CONTENT_TYPE), "text/html");
    DWORD number = 0;
    DWORD length = sizeof number;
    ASSERT_TRUE(HttpQueryInfoA(url_, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &number,
                               &length, nullptr));
    EXPECT_EQ(number, 200u);
    EXPECT_EQ(length, 4u);
    ASSERT_TRUE(HttpQueryInfoA(url_, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &number,
                               &length, nullptr));
    EXPECT_EQ(number, 10000u);
    EXPECT_EQ(QueryText(HTTP_QUERY_RAW_HEADERS_CRLF),
              "HTTP/1.1 200 Status 200\r\nConnection: close\r\nContent-Type: text/html\r\n"
              "X-Part: one\r\nx-part: two\r\nContent-Length: 10000\r\n\r\n");

    DWORD index = 0;
    char name[64] = "X-PART";
    length = sizeof name;
    ASSERT_TRUE(HttpQueryInfoA(url_, HTTP_QUERY_CUSTOM, name, &length, &index));
    EXPECT_STREQ(name, "one");
    EXPECT_EQ(index, 1u);
    std::strcpy(name, "X-Part");
    length = sizeof name;
    ASSERT_TRUE(HttpQueryInfoA(url_, HTTP_QUERY_CUSTOM, name, &length, &index));
    EXPECT_STREQ(name, "two");
    std::strcpy(name, "X-Part");
    length = sizeof name;
    EXPECT_FALSE(HttpQueryInfoA(url_, HTTP_QUERY_CUSTOM, name, &length, &index));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HTTP_HEADER_NOT_FOUND));
    EXPECT_EQ(QueryText(HTTP_QUERY_LOCATION), "<error 12150>");

    char small[3];
    length = sizeof small;
    EXPECT_FALSE(HttpQueryInfoA(url_, HTTP_QUERY_STATUS_CODE, small, &length, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(length, 4u);
    length = 2;
    EXPECT_FALSE(HttpQueryInfoA(url_, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &number,
                                &length, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    length = sizeof number;
    EXPECT_FALSE(HttpQueryInfoA(url_, HTTP_QUERY_CONTENT_TYPE | HTTP_QUERY_FLAG_NUMBER, &number,
                                &length, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HTTP_INVALID_QUERY_REQUEST));

    EXPECT_EQ(ReadAll(6144), body);

    std::vector<TestHttpServer::Request> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_NE(requests[0].head.find("GET /page?id=1 HTTP/1.1\r\n"), std::string::npos);
    EXPECT_NE(requests[0].head.find("\r\nUser-Agent: myhttpget\r\n"), std::string::npos);
    EXPECT_NE(requests[0].head.find("\r\nHost: 127.0.0.1:" + std::to_string(server_.port())),
              std::string::npos);
    EXPECT_EQ(requests[0].head.find("Accept-Encoding"), std::string::npos);
}

TEST_F(WinInetTest, ReadsFillTheBufferAndEndWithZeroBytes) {
    server_.Serve("/exact", 200, "", std::string(6144, 'a'));
    ASSERT_NE(Open("/exact"), nullptr);
    int reads = 0;
    EXPECT_EQ(ReadAll(6144, nullptr, &reads), std::string(6144, 'a'));
    EXPECT_EQ(reads, 2);
    DWORD read = 99;
    char byte;
    EXPECT_TRUE(InternetReadFile(url_, &byte, 1, &read));
    EXPECT_EQ(read, 0u);
}

TEST_F(WinInetTest, ChunkedMegabytesArriveDecodedAndWhole) {
    std::string body = BinaryBody(5 * 1024 * 1024 + 17, 2);
    server_.Route("/chunked", [&](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(
            fd, TestHttpServer::StatusLine(200) + "Transfer-Encoding: chunked\r\n\r\n");
        for (std::size_t at = 0; at < body.size(); at += 100000) {
            std::string piece = body.substr(at, 100000);
            char size[16];
            std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
            TestHttpServer::SendAll(fd, size + piece + "\r\n");
        }
        TestHttpServer::SendAll(fd, "0\r\n\r\n");
    });
    ASSERT_NE(Open("/chunked"), nullptr);
    std::string received = ReadAll(6144);
    EXPECT_EQ(received.size(), body.size());
    EXPECT_TRUE(received == body);
}

TEST_F(WinInetTest, ABodyWithoutLengthEndsWhenTheServerCloses) {
    server_.Route("/until-close", [](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(fd, TestHttpServer::StatusLine(200) + "Connection: close\r\n\r\n" +
                                        std::string(20000, 'z'));
    });
    ASSERT_NE(Open("/until-close"), nullptr);
    DWORD failure = 0;
    EXPECT_EQ(ReadAll(6144, &failure), std::string(20000, 'z'));
    EXPECT_EQ(failure, 0u);
}

TEST_F(WinInetTest, ErrorPagesAreContent) {
    server_.Serve("/missing", 404, "", "<html>not here</html>");
    ASSERT_NE(Open("/missing"), nullptr);
    EXPECT_EQ(QueryText(HTTP_QUERY_STATUS_CODE), "404");
    EXPECT_EQ(ReadAll(6144), "<html>not here</html>");
}

TEST_F(WinInetTest, RedirectsAreFollowedUnlessTheFlagSaysNot) {
    server_.Serve("/old", 302, "Location: /middle\r\n", "moved");
    server_.Serve("/middle", 301, "Location: " + server_.Url("/new") + "\r\n", "moved again");
    server_.Serve("/new", 200, "", "final page");
    ASSERT_NE(Open("/old"), nullptr);
    EXPECT_EQ(QueryText(HTTP_QUERY_STATUS_CODE), "200");
    EXPECT_EQ(ReadAll(100), "final page");
    InternetCloseHandle(url_);

    ASSERT_NE(Open("/old", INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_AUTO_REDIRECT), nullptr);
    EXPECT_EQ(QueryText(HTTP_QUERY_STATUS_CODE), "302");
    EXPECT_EQ(QueryText(HTTP_QUERY_LOCATION), "/middle");
    EXPECT_EQ(ReadAll(100), "moved");
    InternetCloseHandle(url_);

    server_.Serve("/loop", 302, "Location: /loop\r\n", "");
    EXPECT_EQ(Open("/loop"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HTTP_REDIRECT_FAILED));
}

TEST_F(WinInetTest, AddressesThatCannotBeOpenedGiveTheOriginalErrors) {
    std::string closed = "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/";
    EXPECT_EQ(InternetOpenUrlA(session_, closed.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_CANNOT_CONNECT));

    // An empty label fails in the resolver itself, without asking a name server.
    EXPECT_EQ(InternetOpenUrlA(session_, "http://no-such-host..invalid/", nullptr, 0, 0, 0),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_NAME_NOT_RESOLVED));

    EXPECT_EQ(InternetOpenUrlA(session_, "ftp://127.0.0.1/file", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_UNRECOGNIZED_SCHEME));
    EXPECT_EQ(InternetOpenUrlA(session_, "page.htm", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_UNRECOGNIZED_SCHEME));
    EXPECT_EQ(InternetOpenUrlA(session_, "http://[::1/", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_INVALID_URL));
}

TEST_F(WinInetTest, ServerThatClosesEarly) {
    server_.Route("/silent", [](int, const TestHttpServer::Request&) {});
    EXPECT_EQ(Open("/silent"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HTTP_INVALID_SERVER_RESPONSE));

    server_.Route("/cut", [](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(fd, TestHttpServer::StatusLine(200) +
                                        "Content-Length: 1000\r\n\r\n" + std::string(100, 'c'));
    });
    ASSERT_NE(Open("/cut"), nullptr);
    DWORD failure = 0;
    EXPECT_EQ(ReadAll(6144, &failure), std::string(100, 'c'));
    EXPECT_EQ(failure, static_cast<DWORD>(ERROR_INTERNET_CONNECTION_ABORTED));
}

TEST_F(WinInetTest, SlowServersMeetTheReceiveTimeOut) {
    DWORD timeout = 300;
    ASSERT_TRUE(
        InternetSetOptionA(session_, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout));
    server_.Route("/no-answer", [&](int, const TestHttpServer::Request&) {
        server_.Stall(std::chrono::seconds(5));
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Open("/no-answer"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_TIMEOUT));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));

    server_.Route("/stalls", [&](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(
            fd, TestHttpServer::StatusLine(200) + "Content-Length: 50\r\n\r\nfirst");
        server_.Stall(std::chrono::seconds(5));
    });
    ASSERT_NE(Open("/stalls"), nullptr);
    DWORD failure = 0;
    EXPECT_EQ(ReadAll(6144, &failure), "first");
    EXPECT_EQ(failure, static_cast<DWORD>(ERROR_INTERNET_TIMEOUT));

    EXPECT_FALSE(InternetSetOptionA(session_, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, 2));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_BAD_OPTION_LENGTH));
    EXPECT_FALSE(InternetSetOptionA(session_, 77, &timeout, sizeof timeout));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_INVALID_OPTION));
}

TEST_F(WinInetTest, AddressBytesAndExtraHeadersGoOutAsTheServerNeedsThem) {
    server_.Serve("/find?q=%D6%D0%20x", 200, "", "ok");
    const char* headers = "X-One: 1\r\nX-Two: 2\r\n";
    url_ = InternetOpenUrlA(session_, server_.Url("/find?q=中 x#part").c_str(), headers,
                            static_cast<DWORD>(-1), INTERNET_FLAG_PRAGMA_NOCACHE, 0);
    ASSERT_NE(url_, nullptr);
    EXPECT_EQ(ReadAll(10), "ok");
    std::vector<TestHttpServer::Request> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/find?q=%D6%D0%20x");
    EXPECT_NE(requests[0].head.find("\r\nX-One: 1\r\nX-Two: 2\r\n"), std::string::npos);
    EXPECT_NE(requests[0].head.find("\r\nPragma: no-cache\r\n"), std::string::npos);
    InternetCloseHandle(url_);

    // The second byte of this GBK character is '@'.
    server_.Serve("/find?q=%81%40", 200, "", "both bytes");
    ASSERT_NE(Open("/find?q=丂"), nullptr);
    EXPECT_EQ(ReadAll(100), "both bytes");
}

TEST_F(WinInetTest, ProxiesAreUsedAsTheSessionSays) {
    server_.Serve("http://far.example/page", 200, "", "through the proxy");
    std::string proxy = "127.0.0.1:" + std::to_string(server_.port());
    HINTERNET viaProxy =
        InternetOpenA("agent", INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), "other; hosts", 0);
    ASSERT_NE(viaProxy, nullptr);
    HINTERNET page = InternetOpenUrlA(viaProxy, "http://far.example/page", nullptr, 0, 0, 0);
    ASSERT_NE(page, nullptr);
    char text[64] = {};
    DWORD read = 0;
    EXPECT_TRUE(InternetReadFile(page, text, sizeof text, &read));
    EXPECT_EQ(std::string(text, read), "through the proxy");
    InternetCloseHandle(page);
    InternetCloseHandle(viaProxy);

    // Loopback addresses never go through the environment's proxy.
    std::string closed = "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort());
    setenv("http_proxy", closed.c_str(), 1);
    server_.Serve("/direct", 200, "", "direct");
    HINTERNET opened = Open("/direct");
    unsetenv("http_proxy");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(ReadAll(100), "direct");
}

TEST_F(WinInetTest, HandlesAreCheckedForTheirKind) {
    DWORD read = 0;
    char buffer[4];
    EXPECT_FALSE(InternetReadFile(session_, buffer, sizeof buffer, &read));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_INCORRECT_HANDLE_TYPE));
    DWORD length = sizeof buffer;
    EXPECT_FALSE(HttpQueryInfoA(session_, HTTP_QUERY_STATUS_CODE, buffer, &length, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_INCORRECT_HANDLE_TYPE));

    server_.Serve("/a", 200, "", "body");
    ASSERT_NE(Open("/a"), nullptr);
    EXPECT_EQ(InternetOpenUrlA(url_, server_.Url("/a").c_str(), nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_INCORRECT_HANDLE_TYPE));
    // The address outlives its session, and a closed handle is refused.
    HINTERNET session = session_;
    EXPECT_TRUE(InternetCloseHandle(session));
    session_ = InternetOpenA("again", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    EXPECT_EQ(ReadAll(6144), "body");
    EXPECT_TRUE(InternetCloseHandle(url_));
    EXPECT_FALSE(InternetCloseHandle(url_));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    url_ = nullptr;
    EXPECT_FALSE(InternetReadFile(session, buffer, sizeof buffer, &read));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(
        InternetOpenA("x", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(InternetOpenA("x", INTERNET_OPEN_TYPE_PROXY, nullptr, nullptr, 0), nullptr);
}

}  // namespace
