#include "platform/webcontrol/TravelLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace platform::webcontrol {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Urls(const std::vector<TravelLog::Entry>& entries) {
    std::vector<std::string> urls;
    for (const TravelLog::Entry& entry : entries) {
        urls.push_back(entry.url);
    }
    return urls;
}

TEST(TravelLogTest, BackAndForwardListNearestFirst) {
    TravelLog log;
    EXPECT_TRUE(log.Back().empty());
    EXPECT_FALSE(log.Current());
    EXPECT_FALSE(log.Relative(0));
    for (std::string url : {"a", "b", "c", "d"}) {
        log.Add(url, "T" + url);
    }
    EXPECT_THAT(Urls(log.Back()), ElementsAre("c", "b", "a"));
    EXPECT_TRUE(log.Forward().empty());
    ASSERT_TRUE(log.MoveTo(log.Relative(-2)->id));
    EXPECT_EQ(log.Current()->url, "b");
    EXPECT_THAT(Urls(log.Back()), ElementsAre("a"));
    EXPECT_THAT(Urls(log.Forward()), ElementsAre("c", "d"));
    EXPECT_EQ(log.Relative(2)->url, "d");
    EXPECT_FALSE(log.Relative(3));
    EXPECT_FALSE(log.Relative(-2));
}

TEST(TravelLogTest, NewNavigationDropsTheForwardEntries) {
    TravelLog log;
    log.Add("a", "");
    log.Add("b", "");
    uint64_t b = log.Current()->id;
    log.MoveTo(log.Relative(-1)->id);
    log.Add("c", "");
    EXPECT_THAT(Urls(log.Back()), ElementsAre("a"));
    EXPECT_TRUE(log.Forward().empty());
    EXPECT_FALSE(log.MoveTo(b));
    EXPECT_FALSE(log.Find(b));
}

TEST(TravelLogTest, EntriesOfOnePageKeepWhatTheirFramesShowed) {
    TravelLog log;
    log.Add("top", "T", {"menu", "one"});
    log.Add("top", "T", {"menu", "two"});
    ASSERT_THAT(log.Back(), ::testing::SizeIs(1));
    EXPECT_THAT(log.Back()[0].frames, ElementsAre("menu", "one"));
    EXPECT_THAT(log.Current()->frames, ElementsAre("menu", "two"));
}

TEST(TravelLogTest, TitleFollowsTheCurrentEntryAndOldEntriesGoPastTheLimit) {
    TravelLog log;
    log.SetCurrentTitle("ignored");
    for (size_t i = 0; i < TravelLog::kMaxEntries + 5; ++i) {
        log.Add(std::to_string(i), "");
    }
    log.SetCurrentTitle("last");
    std::vector<TravelLog::Entry> back = log.Back();
    EXPECT_EQ(back.size(), TravelLog::kMaxEntries - 1);
    EXPECT_EQ(back.back().url, "5");
    EXPECT_EQ(log.Current()->title, "last");
}

// Another history's entries, "0" to "count - 1".
std::vector<TravelLog::Entry> Numbered(size_t count) {
    std::vector<TravelLog::Entry> entries;
    for (size_t i = 0; i < count; ++i) {
        entries.push_back({0, std::to_string(i), "", {}});
    }
    return entries;
}

TEST(TravelLogTest, FollowedHistoryKeepsTheCurrentEntryWithinTheLimit) {
    const size_t count = TravelLog::kMaxEntries + 50;
    TravelLog log;
    log.Follow(Numbered(count), count - 10);
    EXPECT_EQ(log.Current()->url, std::to_string(count - 10));
    EXPECT_EQ(log.Back().size(), TravelLog::kMaxEntries - 1);
    EXPECT_TRUE(log.Forward().empty());
    // Near the start the oldest stay and the farthest ahead go.
    log.Follow(Numbered(count), 3);
    EXPECT_EQ(log.Current()->url, "3");
    EXPECT_EQ(log.Back().back().url, "0");
    EXPECT_EQ(log.Forward().back().url, std::to_string(TravelLog::kMaxEntries - 1));
    // A current index past the end stands for the newest; nothing at all empties the log.
    log.Follow(Numbered(2), 7);
    EXPECT_EQ(log.Current()->url, "1");
    log.Follow({}, 0);
    EXPECT_FALSE(log.Current());
}

}  // namespace
}  // namespace platform::webcontrol
