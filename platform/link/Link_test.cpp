#include "platform/link/Link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "platform/link/RuntimeFolder.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/EntryNames.h"
#include "platform/testing/TempFolder.h"

namespace {

using namespace platform::link;
using namespace std::chrono_literals;

// The link_peer program, run with a pipe on its input and one on its output.
class Peer : public platform::testing::ChildProcess {
public:
    Peer(const std::string& mode, const std::string& title)
        : ChildProcess({LINK_PEER_PATH, mode, title}, true) {}

    // The next line; empty when the peer ended or gave none in time.
    std::string ReadLine() { return ChildProcess::ReadLine(10s).value_or(""); }
    std::vector<std::string> ReadToEnd() { return ChildProcess::ReadToEnd(10s); }
};

class LinkTest : public testing::Test {
protected:
    LinkTest() : folder_(temp_.path() / "link") { setenv("PLATFORM_LINK_DIR", folder_.c_str(), 1); }
    ~LinkTest() override {
        Shutdown();
        SetDeliveryHandler({});
        unsetenv("PLATFORM_LINK_DIR");
    }

    std::vector<std::string> FolderEntries() const {
        return platform::testing::EntryNames(folder_);
    }

    platform::testing::TempFolder temp_;
    std::filesystem::path folder_;
};

TEST_F(LinkTest, PostedMessageReachesTheOtherProcessExactlyOnce) {
    Peer peer("serve", "DeskvaneTP");
    ASSERT_EQ(peer.ReadLine(), "ready");

    auto tray = FindWindowByTitle("deskvanetp");
    ASSERT_TRUE(tray);
    EXPECT_EQ(tray->processId, static_cast<std::uint32_t>(peer.pid()));
    auto record = ReadWindow(*tray);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->title, "DeskvaneTP");
    EXPECT_FALSE(record->visible);
    EXPECT_EQ(record->rect.right, 110);

    EXPECT_TRUE(PostToWindow(*tray, 1030, 0, 0));
    EXPECT_TRUE(PostToWindow(*tray, 0x10, 0, 0));
    EXPECT_EQ(peer.ReadToEnd(), (std::vector<std::string>{"1030 0 0", "16 0 0"}));
    EXPECT_EQ(peer.Wait(), 0);

    // The peer withdrew its window and removed its socket as it ended.
    EXPECT_FALSE(FindWindowByTitle("DeskvaneTP"));
    EXPECT_THAT(FolderEntries(), testing::IsEmpty());
    EXPECT_FALSE(PostToWindow(*tray, 1030, 0, 0));
}

TEST_F(LinkTest, SecondInstanceFindsTheFirstAndEnds) {
    const std::string title = "Deskvane - 管理中心";
    Peer first("single", title);
    ASSERT_EQ(first.ReadLine(), "ready");

    Peer second("single", title);
    EXPECT_EQ(second.ReadToEnd(), std::vector<std::string>{"found 77"});
    EXPECT_EQ(second.Wait(), 3);

    auto window = FindWindowByTitle(title);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->processId, static_cast<std::uint32_t>(first.pid()));
    EXPECT_TRUE(PostToWindow(*window, 0x10, 0, 0));
    EXPECT_EQ(first.ReadToEnd(), (std::vector<std::string>{"1025 0 0", "16 0 0"}));
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_THAT(FolderEntries(), testing::IsEmpty());
}

TEST_F(LinkTest, EntriesOfEndedProcessesAreIgnoredAndRemoved) {
    Peer peer("crash", "Ghost");
    ASSERT_EQ(peer.ReadLine(), "ready");
    const pid_t ghostPid = peer.pid();
    auto ghost = FindWindowByTitle("Ghost");
    ASSERT_TRUE(ghost);
    peer.CloseInput();
    EXPECT_EQ(peer.Wait(), 0);
    EXPECT_EQ(FolderEntries().size(), 2u);
    temp_.WriteFile("link/." + std::to_string(ghostPid) + "-10010.tmp", "LWIN");

    EXPECT_FALSE(FindWindowByTitle("Ghost"));
    EXPECT_FALSE(PostToWindow(*ghost, 1030, 0, 0));
    EXPECT_THAT(FolderEntries(), testing::IsEmpty());

    // A record that names this live process but an earlier start is a leftover of a process
    // whose id was reused.
    WindowRecord leftover;
    leftover.processId = static_cast<std::uint32_t>(getpid());
    leftover.processStart = ProcessStartTicks(getpid()).value() + 1;
    leftover.window = 5;
    leftover.title = "Ghost";
    const std::string name = std::to_string(getpid()) + "-5.win";
    std::ofstream(folder_ / name, std::ios::binary) << EncodeWindowRecord(leftover);
    EXPECT_FALSE(FindWindowByTitle("Ghost"));
    EXPECT_THAT(FolderEntries(), testing::IsEmpty());
}

TEST_F(LinkTest, TitleChangeIsSeenAtOnceAndSendReturnsTheHandlersResult) {
    std::vector<std::string> seen;
    std::promise<void> posted;
    SetDeliveryHandler([&](std::uintptr_t window, UINT message, WPARAM wParam, LPARAM lParam,
                           bool wantsReply) -> LRESULT {
        seen.push_back(std::to_string(window) + " " + std::to_string(message) +
                       (wantsReply ? " send" : " post"));
        if (!wantsReply) {
            posted.set_value();
        }
        return static_cast<LRESULT>(wParam) + lParam;
    });
    WindowRecord record;
    record.window = 42;
    record.title = "Old";
    record.visible = true;
    ASSERT_TRUE(Publish(record));
    const RemoteWindow self{static_cast<std::uint32_t>(getpid()), 42};
    EXPECT_EQ(FindWindowByTitle("OLD"), self);

    record.title = "新标题";
    ASSERT_TRUE(Update(record));
    EXPECT_FALSE(FindWindowByTitle("Old"));
    EXPECT_EQ(FindWindowByTitle("新标题"), self);

    EXPECT_EQ(SendToWindow(self, 1031, 5, -2, 5s), 3);
    EXPECT_TRUE(PostToWindow(self, 1032, 0, 0));
    posted.get_future().wait();
    EXPECT_THAT(seen, testing::ElementsAre("42 1031 send", "42 1032 post"));

    // Unknown windows of a live process, and a process without a handler, refuse messages.
    EXPECT_FALSE(PostToWindow({self.processId, 43}, 1030, 0, 0));
    SetDeliveryHandler({});
    EXPECT_FALSE(SendToWindow(self, 1030, 0, 0, 5s));

    Withdraw(42);
    EXPECT_FALSE(FindWindowByTitle("新标题"));
    EXPECT_FALSE(Update(record));
}

// Something that only looks like a record (a FIFO, a link, a folder) is passed over without
// being opened for reading: a FIFO would block the reader for good. The test program's time
// limit catches a hang.
TEST_F(LinkTest, WhatIsNoRegularFileIsPassedOverWithoutBlocking) {
    WindowRecord record;
    record.window = 7;
    record.title = "real";
    ASSERT_TRUE(Publish(record));
    const std::string pid = std::to_string(getpid());
    ASSERT_EQ(mkfifo((folder_ / (pid + "-8.win")).c_str(), 0600), 0);
    std::filesystem::create_symlink(folder_ / (pid + "-7.win"), folder_ / (pid + "-9.win"));
    std::filesystem::create_directory(folder_ / (pid + "-a.win"));

    std::vector<std::uint64_t> windows;
    for (const WindowRecord& listed : ListWindows()) {
        windows.push_back(listed.window);
    }
    EXPECT_THAT(windows, testing::ElementsAre(7u));
    EXPECT_FALSE(PostToWindow({static_cast<std::uint32_t>(getpid()), 8}, 1030, 0, 0));
}

// A peer that opens connections and sends nothing holds only its own few of them, for a
// bounded time: everyone else's messages go through at once. The test program's time limit
// catches a hang.
TEST_F(LinkTest, AStalledPeerDelaysNoOneElse) {
    std::promise<void> posted;
    SetDeliveryHandler([&](std::uintptr_t, UINT message, WPARAM wParam, LPARAM lParam,
                           bool wantsReply) -> LRESULT {
        if (!wantsReply && message == 1032) {
            posted.set_value();
        }
        return static_cast<LRESULT>(wParam) + lParam;
    });
    WindowRecord record;
    record.window = 42;
    record.title = "Busy";
    ASSERT_TRUE(Publish(record));
    const RemoteWindow self{static_cast<std::uint32_t>(getpid()), 42};

    Peer stalling("stall", "Busy");
    ASSERT_EQ(stalling.ReadLine(), "stalled");
    // Served one at a time, behind the stalled connections, this would take minutes.
    EXPECT_EQ(SendToWindow(self, 1031, 5, -2, 1s), 3);
    EXPECT_TRUE(PostToWindow(self, 1032, 0, 0));
    posted.get_future().wait();
}

TEST_F(LinkTest, ListIsTopmostFirstAndIncludesHiddenWindows) {
    WindowRecord record;
    record.title = "low";
    record.window = 1;
    record.zOrder = 10;
    ASSERT_TRUE(Publish(record));
    record.title = "high";
    record.window = 2;
    record.iconic = true;
    record.owner = 1;
    record.zOrder = 30;
    ASSERT_TRUE(Publish(record));
    record.title = "middle";
    record.window = 3;
    record.zOrder = 20;
    ASSERT_TRUE(Publish(record));

    std::vector<std::string> titles;
    for (const WindowRecord& window : ListWindows()) {
        titles.push_back(window.title);
    }
    EXPECT_THAT(titles, testing::ElementsAre("high", "middle", "low"));
    auto high = ReadWindow({static_cast<std::uint32_t>(getpid()), 2});
    ASSERT_TRUE(high);
    EXPECT_TRUE(high->iconic);
    EXPECT_EQ(high->owner, 1u);

    Shutdown();
    EXPECT_THAT(FolderEntries(), testing::IsEmpty());
}

TEST(ZOrderTest, EveryStampIsAboveThePreviousOne) {
    std::int64_t previous = NextZOrder();
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t next = NextZOrder();
        ASSERT_GT(next, previous);
        previous = next;
    }
}

TEST_F(LinkTest, RuntimeFolderIsPrivateToTheUser) {
    auto folder = RuntimeFolder();
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, folder_);
    struct stat status {};
    ASSERT_EQ(stat(folder_.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    chmod(folder_.c_str(), 0755);
    ASSERT_TRUE(RuntimeFolder());
    stat(folder_.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    std::filesystem::create_symlink(folder_, temp_.path() / "alias");
    setenv("PLATFORM_LINK_DIR", (temp_.path() / "alias").c_str(), 1);
    EXPECT_FALSE(RuntimeFolder());
    temp_.WriteFile("plain", "");
    setenv("PLATFORM_LINK_DIR", (temp_.path() / "plain").c_str(), 1);
    EXPECT_FALSE(RuntimeFolder());
    WindowRecord record;
    record.window = 1;
    EXPECT_FALSE(Publish(record));
}

}  // namespace
