#include "picture/UpdateThread.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "browser/BrowserDataStore.h"
#include "browser/UpdateServerTest.h"
#include "common/Md5Digest.h"
#include "platform/files/Path.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::testing::TempFolder;
using platform::testing::TestHttpServer;

constexpr char kPageTarget[] = "/fk/main.asp?V=135";

std::string Md5Of(const std::string& bytes) {
    TempFolder folder;
    folder.WriteFile("f", bytes);
    char text[64] = {};
    CMd5Digest().Md5File(platform::ToWindowsPath(folder.path() / "f").c_str(), text);
    return text;
}

class PictureUpdateThreadTest : public browser_testing::UpdateServerTest {
protected:
    PictureUpdateThreadTest()
        : UpdateServerTest("glintora.exe", kPageTarget,
                           [](LPVOID) -> DWORD { return glintora::UpdateThread(nullptr); }) {}

    void SetUp() override {
        UpdateServerTest::SetUp();
        Write("data/main.htm", "old start page");
    }

    std::string Line(const std::string& digest, const std::string& path,
                     const std::string& target) const {
        return digest + " " + path + " " + server_.Url(target) + "\r\n";
    }
};

TEST_F(PictureUpdateThreadTest, ListedFilesAreCheckedBeforeTheyReplaceTheirTargets) {
    Write("data/same.txt", "same");
    Write("data/old.txt", "old");
    Write("data/bad.txt", "before");
    server_.Serve("/f/old.txt", 200, "", "new content");
    server_.Serve("/f/new.txt", 200, "", "brand new");
    server_.Serve("/f/bad.txt", 200, "", "evil");
    server_.Serve("/f/escape.txt", 200, "", "outside");
    const std::string page = "<html>[HTML_END]\r\n[FILE_LIST_BEGIN]\r\n" +
                             Line(Md5Of("same"), "data\\same.txt", "/f/same.txt") +
                             Line(Md5Of("new content"), "data\\old.txt", "/f/old.txt") +
                             Line(Md5Of("brand new"), "sub\\deeper\\new.txt", "/f/new.txt") +
                             Line(Md5Of("good"), "data\\bad.txt", "/f/bad.txt") +
                             Line(Md5Of("outside"), "..\\escape.txt", "/f/escape.txt") +
                             Line(Md5Of("outside"), "C:\\escape.txt", "/f/escape.txt") +
                             Md5Of("x") + " two-fields\r\n[FILE_LIST_END]\r\n";
    server_.Serve(kPageTarget, 200, "", page);

    EXPECT_EQ(RunUpdate(), 0u);

    EXPECT_EQ(Read("data/main.htm"), page);
    EXPECT_EQ(Read("data/same.txt"), "same");
    EXPECT_EQ(Read("data/old.txt"), "new content");
    EXPECT_EQ(Read("sub/deeper/new.txt"), "brand new");
    EXPECT_EQ(Read("data/bad.txt"), "before");
    // The last download stays in data\data.dat.
    EXPECT_EQ(Read("data/data.dat"), "evil");
    EXPECT_FALSE(fs::exists(root_.path() / "escape.txt"));
    for (const auto& request : server_.Requests()) {
        EXPECT_NE(request.target, "/f/same.txt");
        EXPECT_NE(request.target, "/f/escape.txt");
    }
}

TEST_F(PictureUpdateThreadTest, AReplyWithoutItsEndMarkerChangesNothing) {
    server_.Serve(kPageTarget, 200, "",
                  "[HTML_END] at the very start\r\n[FILE_LIST_BEGIN]\r\n" +
                      Line(Md5Of("n"), "data\\n.txt", "/f/n.txt"));
    EXPECT_EQ(RunUpdate(), 1u);
    EXPECT_EQ(Read("data/main.htm"), "old start page");
    EXPECT_FALSE(fs::exists(folder_ / "data" / "n.txt"));
}

TEST_F(PictureUpdateThreadTest, AStopRequestEndsAStalledFetchSoTheFrameCanJoinTheWorker) {
    StopWhileTheServerStalls(std::chrono::seconds(5));
    EXPECT_EQ(Read("data/main.htm"), "old start page");
}

}  // namespace
