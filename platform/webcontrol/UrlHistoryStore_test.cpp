#include "platform/webcontrol/UrlHistoryStore.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace platform::webcontrol
