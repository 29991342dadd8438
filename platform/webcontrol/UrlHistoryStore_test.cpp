#include "platform/webcontrol/UrlHistoryStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"

namespace platform::webcontrol {
namespace {

class UrlHistoryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { UseTestClock(SYSTEMTIME{2024, 3, 0, 15, 9, 0, 0, 0}); }
    void TearDown() override { UseRealClock(); }

    platform::testing::TempFolder folder;
    UrlHistoryStore store{folder.path() / "sub" / "history.dat"};
};

TEST_F(UrlHistoryStoreTest, VisitsComeMostRecentFirstWithUtcFileTimes) {
    EXPECT_TRUE(store.Entries().empty());
    ASSERT_TRUE(store.Add("http://a/", "A"));
    AdvanceTestClock(std::chrono::seconds(10));
    ASSERT_TRUE(store.Add("http://b/", "B"));
    std::vector<UrlVisit> entries = store.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].url, "http://b/");
    EXPECT_EQ(entries[1].title, "A");
    EXPECT_EQ(entries[0].lastVisited - entries[1].lastVisited, 100000000u);
    uint64_t expected = (static_cast<uint64_t>(CurrentUnixTime()) + 11644473600ull) * 10000000ull;
    EXPECT_EQ(entries[0].lastVisited, expected);
}

TEST_F(UrlHistoryStoreTest, RevisitMovesTheEntryUpAndKeepsItsTitleWhenNoneIsGiven) {
    store.Add("http://a/", "A");
    store.Add("http://b/", "B");
    store.Add("http://a/", "");
    std::vector<UrlVisit> entries = store.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].url, "http://a/");
    EXPECT_EQ(entries[0].title, "A");
}

TEST_F(UrlHistoryStoreTest, TextsWithSeparatorsSurviveTheFile) {
    std::string title = "tab\there\nline\\slash\r";
    store.Add("http://a/?q=\t", title);
    std::vector<UrlVisit> entries = store.Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].url, "http://a/?q=\t");
    EXPECT_EQ(entries[0].title, title);
}

TEST_F(UrlHistoryStoreTest, DamagedLinesAreSkipped) {
    folder.WriteFile("sub/history.dat",
                     "12\thttp://ok/\tOK\n"
                     "x\thttp://bad/\tnumber\n"
                     "13\t\tno url\n"
                     "14\thttp://escape/\tbad\\q\n"
                     "no tabs at all\n"
                     "99999999999999999999999\thttp://big/\t\n");
    std::vector<UrlVisit> entries = store.Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].url, "http://ok/");
    EXPECT_EQ(entries[0].lastVisited, 12u);
}

TEST_F(UrlHistoryStoreTest, RemoveAndClear) {
    store.Add("http://a/", "A");
    store.Add("http://b/", "B");
    EXPECT_TRUE(store.Remove("http://a/"));
    EXPECT_FALSE(store.Remove("http://a/"));
    ASSERT_EQ(store.Entries().size(), 1u);
    EXPECT_TRUE(store.Clear());
    EXPECT_TRUE(store.Entries().empty());
}

TEST_F(UrlHistoryStoreTest, OldestEntriesGoPastTheLimit) {
    std::string text;
    for (size_t i = 0; i < UrlHistoryStore::kMaxEntries; ++i) {
        text += std::to_string(i) + "\thttp://" + std::to_string(i) + "/\t\n";
    }
    folder.WriteFile("sub/history.dat", text);
    store.Add("http://new/", "");
    std::vector<UrlVisit> entries = store.Entries();
    ASSERT_EQ(entries.size(), UrlHistoryStore::kMaxEntries);
    EXPECT_EQ(entries.front().url, "http://new/");
    EXPECT_EQ(entries.back().url, "http://998/");
}

TEST_F(UrlHistoryStoreTest, LaterVisitsKeepTheirOrderAndTimeAndComeBeforeOtherCalls) {
    store.Add("http://a/", "A");
    store.AddLater("http://b/", "B");
    AdvanceTestClock(std::chrono::seconds(1));
    store.AddLater("http://a/", "");
    std::vector<UrlVisit> entries = store.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].url, "http://a/");
    EXPECT_EQ(entries[0].title, "A");
    EXPECT_EQ(entries[0].lastVisited - entries[1].lastVisited, 10000000u);

    store.AddLater("http://c/", "C");
    EXPECT_TRUE(store.Remove("http://c/"));
    store.AddLater("http://d/", "D");
    EXPECT_TRUE(store.Clear());
    EXPECT_TRUE(store.Entries().empty());
}

// Processes that end while visits wait for the writer. Each child runs the test again from its
// start in a process of its own, and finds the parent's file through the environment.
class UrlHistoryProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        if (const char* shared = std::getenv("URL_HISTORY_TEST_FILE")) {
            path = shared;
            return;
        }
        folder.emplace();
        path = folder->path() / "history.dat";
        ::setenv("URL_HISTORY_TEST_FILE", path.c_str(), 1);
    }
    void TearDown() override {
        if (folder) {
            ::unsetenv("URL_HISTORY_TEST_FILE");
        }
    }

    std::optional<platform::testing::TempFolder> folder;
    std::filesystem::path path;
};

TEST_F(UrlHistoryProcessTest, AProgramThatEndsRightAfterItsVisitsHasThemInTheFile) {
    EXPECT_EXIT(
        {
            for (int i = 0; i < 50; ++i) {
                UrlHistoryStore(path).AddLater("http://" + std::to_string(i) + "/", "");
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    std::vector<UrlVisit> entries = UrlHistoryStore(path).Entries();
    ASSERT_EQ(entries.size(), 50u);
    EXPECT_EQ(entries.front().url, "http://49/");
    EXPECT_EQ(entries.back().url, "http://0/");
}

TEST_F(UrlHistoryProcessTest, AProcessKilledWhileWritingLeavesAWholeFile) {
    // Large enough that the kill comes while one is being written.
    const std::string title(400, 'x');
    if (!std::filesystem::exists(path)) {
        UrlHistoryStore store(path);
        for (size_t i = 0; i < UrlHistoryStore::kMaxEntries; ++i) {
            store.AddLater("http://old" + std::to_string(i) + "/", title);
        }
        store.Entries();
    }
    for (int delay : {3, 10, 30, 60}) {
        EXPECT_EXIT(
            {
                std::thread([delay] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
                    kill(getpid(), SIGKILL);
                }).detach();
                UrlHistoryStore store(path);
                for (int i = 0;; ++i) {
                    store.AddLater("http://new" + std::to_string(i) + "/", title);
                    store.Entries();
                }
            },
            ::testing::KilledBySignal(SIGKILL), "");
        std::ifstream file(path, std::ios::binary);
        const std::string written{std::istreambuf_iterator<char>(file), {}};
        ASSERT_FALSE(written.empty());
        EXPECT_EQ(written.back(), '\n');
        EXPECT_EQ(std::count(written.begin(), written.end(), '\n'),
                  static_cast<std::ptrdiff_t>(UrlHistoryStore::kMaxEntries));
        std::vector<UrlVisit> entries = UrlHistoryStore(path).Entries();
        ASSERT_EQ(entries.size(), UrlHistoryStore::kMaxEntries) << "killed after " << delay;
        EXPECT_EQ(entries.back().title, title);
    }
}

}  // namespace
}  // namespace platform::webcontrol
