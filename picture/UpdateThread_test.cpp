#include "picture/UpdateThread.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "browser/BrowserDataStore.h"
#include "browser/SocketClient.h"
#include "common/Md5Digest.h"
#include "platform/files/Path.h"
#include "platform/framework/WinThread.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"

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

class PictureUpdateThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitWinsock();
        program_ = root_.path() / "prog";
        fs::create_directories(program_ / "data");
        platform::OverrideModuleFileName(platform::ToWindowsPath(program_ / "glintora.exe"));
        fs::current_path(elsewhere_.path());
        Write("data/update.dat", "[UPDATE_SERVER]\r\n" + server_.Url("") + "\r\n");
        Write("data/main.htm", "old start page");
    }
    void TearDown() override {
        fs::current_path(fs::temp_directory_path());
        platform::ClearModuleFileNameOverride();
    }

    void Write(const std::string& relative, const std::string& bytes) const {
        fs::create_directories((program_ / relative).parent_path());
        root_.WriteFile("prog/" + relative, bytes);
    }
    std::string Read(const std::string& relative) const {
        return root_.ReadFile("prog/" + relative);
    }
    std::string Line(const std::string& digest, const std::string& path,
                     const std::string& target) const {
        return digest + " " + path + " " + server_.Url(target) + "\r\n";
    }

    // Runs the worker to its end, as the frame starts it; its result.
    DWORD RunUpdate() {
        CWinThread registered;
        DataStore().updateThread = &registered;
        HANDLE thread = CreateThread(
            nullptr, 0, [](LPVOID) -> DWORD { return glintora::UpdateThread(nullptr); }, nullptr, 0,
            nullptr);
        EXPECT_NE(thread, nullptr);
        EXPECT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeThread(thread, &code);
        CloseHandle(thread);
        EXPECT_EQ(DataStore().updateThread, nullptr);
        return code;
    }

    TempFolder root_;
    TempFolder elsewhere_;
    fs::path program_;
    TestHttpServer server_;
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
    EXPECT_FALSE(fs::exists(program_ / "data" / "n.txt"));
}

TEST_F(PictureUpdateThreadTest, AStopRequestEndsAStalledFetchSoTheFrameCanJoinTheWorker) {
    server_.Route(kPageTarget,
                  [this](int, const auto&) { server_.Stall(std::chrono::seconds(60)); });
    CWinThread registered;
    DataStore().updateThread = &registered;
    HANDLE thread = CreateThread(
        nullptr, 0, [](LPVOID) -> DWORD { return glintora::UpdateThread(nullptr); }, nullptr, 0,
        nullptr);
    ASSERT_NE(thread, nullptr);
    for (int i = 0; i < 1000 && server_.Requests().empty(); ++i) {
        WaitForSingleObject(thread, 10);
    }
    platform::RequestStop(thread);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(Read("data/main.htm"), "old start page");
}

}  // namespace
