#include "picture/HttpGet.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"

namespace picture::testing {
namespace {

using platform::testing::TestHttpServer;

std::string Read(FILE* stream) {
    std::rewind(stream);
    std::string bytes;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        bytes.append(buffer, count);
    }
    return bytes;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

TEST(HttpGetTest, FetchTextKeepsEveryByteOfTheBody) {
    TestHttpServer server;
    const std::string block(6144, 'a');
    std::string binary = "x";
    for (int byte = 0; byte < 256; ++byte) {
        binary += static_cast<char>(byte);
    }
    server.Serve("/block", 200, "", block);
    server.Serve("/binary", 200, "", binary);
    server.Serve("/error", 500, "", "error page");
    server.Route("/cut", [](int fd, const TestHttpServer::Request&) {
        TestHttpServer::SendAll(fd, TestHttpServer::StatusLine(200) +
                                        "Content-Length: 10000\r\n\r\n" + std::string(7000, 'c'));
    });

    CHttpGet fetch;
    CString text = "old";
    EXPECT_EQ(0, fetch.FetchText(server.Url("/block").c_str(), text));
    EXPECT_EQ(block, text.str());
    EXPECT_EQ(0, fetch.FetchText(server.Url("/binary").c_str(), text));
    EXPECT_EQ(binary, text.str());
    EXPECT_EQ(0, fetch.FetchText(server.Url("/error").c_str(), text));
    EXPECT_EQ("error page", text.str());
    // A body cut short gives what arrived before the connection closed.
    EXPECT_EQ(0, fetch.FetchText(server.Url("/cut").c_str(), text));
    EXPECT_EQ(std::string(7000, 'c'), text.str());

    const std::string closed =
        "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/";
    EXPECT_EQ(CHttpGet::kFetchFailed, fetch.FetchText(closed.c_str(), text));
    EXPECT_EQ("", text.str());
    EXPECT_EQ(CHttpGet::kFetchFailed, fetch.FetchText("ftp://127.0.0.1/x", text));
    EXPECT_EQ(CHttpGet::kFetchFailed, fetch.FetchText("not an address", text));
    EXPECT_EQ(0, fetch.Close());
}

TEST(HttpGetTest, FetchToFileWritesTheBodyToTheStream) {
    TestHttpServer server;
    const std::string body = std::string("\0\1\2", 3) + std::string(20000, 'z');
    server.Serve("/file.bin", 200, "", body);
    std::unique_ptr<FILE, FileCloser> stream(std::tmpfile());
    ASSERT_NE(nullptr, stream);
    CHttpGet fetch;
    EXPECT_EQ(0, fetch.FetchToFile(server.Url("/file.bin").c_str(), stream.get()));
    EXPECT_EQ(body, Read(stream.get()));

    std::unique_ptr<FILE, FileCloser> untouched(std::tmpfile());
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/";
    EXPECT_EQ(CHttpGet::kFetchFailed, fetch.FetchToFile(closed.c_str(), untouched.get()));
    EXPECT_EQ("", Read(untouched.get()));
}

// openssl's own test server on 127.0.0.1, serving the files of a folder over TLS with a
// certificate made for the test.
class TlsServer {
public:
    explicit TlsServer(const std::filesystem::path& folder) : folder_(folder) {}
    ~TlsServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

    // False when openssl is missing or the server does not come up.
    bool Start() {
        if (std::system("command -v openssl > /dev/null 2>&1") != 0) {
            return false;
        }
        const std::string make =
            "cd '" + folder_.string() +
            "' && openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem "
            "-days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 > /dev/null 2>&1";
        if (std::system(make.c_str()) != 0) {
            return false;
        }
        port_ = TestHttpServer::ClosedPort();
        const std::string accept = "127.0.0.1:" + std::to_string(port_);
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(folder_.c_str()) != 0) {
                _exit(1);
            }
            execlp("openssl", "openssl", "s_server", "-quiet", "-WWW", "-accept", accept.c_str(),
                   "-cert", "cert.pem", "-key", "key.pem", static_cast<char*>(nullptr));
            _exit(1);
        }
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (Accepts()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }

    std::string Url(const std::string& name) const {
        return "https://127.0.0.1:" + std::to_string(port_) + "/" + name;
    }
    std::filesystem::path Certificate() const { return folder_ / "cert.pem"; }

private:
    bool Accepts() const {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port_);
        const bool connected =
            connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        close(fd);
        return connected;
    }

    std::filesystem::path folder_;
    std::uint16_t port_ = 0;
    pid_t pid_ = -1;
};

TEST(HttpGetTest, HttpsPagesAreFetchedLikeHttpOnes) {
    platform::testing::TempFolder folder;
    const std::string page = std::string(9000, 's') + "\xba\xba";
    folder.WriteFile("page.htm", page);
    TlsServer server(folder.path());
    if (!server.Start()) {
        GTEST_SKIP() << "openssl cannot serve TLS here";
    }
    CHttpGet fetch;
    CString text;
    // The certificate is the test's own: no authority of the system vouches for it.
    EXPECT_EQ(CHttpGet::kFetchFailed, fetch.FetchText(server.Url("page.htm").c_str(), text));

    setenv("SSL_CERT_FILE", server.Certificate().c_str(), 1);
    const int result = fetch.FetchText(server.Url("page.htm").c_str(), text);
    unsetenv("SSL_CERT_FILE");
    EXPECT_EQ(0, result);
    EXPECT_EQ(page, text.str());
}

}  // namespace
}  // namespace picture::testing
