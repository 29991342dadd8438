#include "browser/BrowserDataStore.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/testing/TempFolder.h"

namespace {

using namespace std::string_literals;

// "好" in GBK: a two-byte character for the tests that cut or compare text.
const std::string kGood = "\xBA\xC3";

std::string Int32(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return bytes;
}

std::string RuleRecord(int scope, const std::string& pattern, const std::string& site) {
    return Int32(scope) + Int32(pattern.size()) + pattern + Int32(site.size()) + site;
}

// What follows the rules in a default store: promptMode, windowRect, six options, startUrl.
std::string DefaultTail() {
    return Int32(-1) + Int32(-1) + Int32(-1) + Int32(1) + Int32(1) + std::string(24 + 255, '\0');
}

void AddRule(CBrowserDataStore& store, int scope, const std::string& pattern,
             const std::string& site = "") {
    auto rule = std::make_unique<FilterRule>();
    rule->scope = scope;
    rule->pattern = CString(pattern);
    rule->site = CString(site);
    store.rules.push_back(std::move(rule));
}

// The store's paths are relative to the program folder, so each test runs inside a fresh one.
class BrowserDataStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::create_directories(folder_.path() / "data");
        std::filesystem::current_path(folder_.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    std::string ReadData(const std::string& name) const { return folder_.ReadFile("data/" + name); }
    void WriteData(const std::string& name, const std::string& bytes) const {
        folder_.WriteFile("data/" + name, bytes);
    }
    std::unique_ptr<CBrowserDataStore> LoadFilter(const std::string& filterBytes) const {
        WriteData("filter.dat", filterBytes);
        auto store = std::make_unique<CBrowserDataStore>();
        store->Load();
        return store;
    }

private:
    platform::testing::TempFolder folder_;
    std::filesystem::path previous_;
};

TEST_F(BrowserDataStoreTest, DefaultStoreSavesThe307ByteLayout) {
    CBrowserDataStore store;
    EXPECT_STREQ(store.path, "data\\filter.dat");
    EXPECT_EQ(store.Save(), 0);
    std::string expected = "\0\0\0\0\0\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s +
                           "\x01\0\0\0\x01\0\0\0"s + std::string(24 + 255, '\0');
    ASSERT_EQ(expected.size(), 307u);
    EXPECT_EQ(ReadData("filter.dat"), expected);
    EXPECT_FALSE(std::filesystem::exists("data/filter.dat.tmp"));

    // Only 255 bytes of the start address are stored; the last byte of the field becomes NUL.
    std::memset(store.startUrl, 'x', sizeof(store.startUrl));
    store.Save();
    EXPECT_EQ(store.startUrl[255], '\0');
    EXPECT_EQ(ReadData("filter.dat"), expected.substr(0, 52) + std::string(255, 'x'));
}

TEST_F(BrowserDataStoreTest, SaveWritesRuleRecordsAndFieldsInFileOrder) {
    CBrowserDataStore store;
    store.filterPaused = 1;
    AddRule(store, 1, "ad", "abc.com");
    AddRule(store, 0, "", "");
    store.promptMode = 2;
    store.windowRect = {10, 20, 810, 620};
    int* options[] = {&store.tabMaximized, &store.activateNewPage, &store.tabsAtBottom,
                      &store.newsOff,      &store.startPageMode,   &store.announceUpdates};
    for (int i = 0; i < 6; ++i) {
        *options[i] = i + 1;
    }
    std::strcpy(store.startUrl, "http://a/");
    store.Save();

    std::string expected = "\x01\0\0\0\x02\0\0\0"s + "\x01\0\0\0\x02\0\0\0ad\x07\0\0\0abc.com"s +
                           std::string(12, '\0') + "\x02\0\0\0"s + Int32(10) + Int32(20) +
                           Int32(810) + Int32(620) + Int32(1) + Int32(2) + Int32(3) + Int32(4) +
                           Int32(5) + Int32(6) + "http://a/" + std::string(246, '\0');
    EXPECT_EQ(ReadData("filter.dat"), expected);
}

TEST_F(BrowserDataStoreTest, SavedFileLoadsBackIntoEqualFields) {
    CBrowserDataStore saved;
    saved.filterPaused = 1;
    AddRule(saved, 2, kGood + "Ad", "Site.CN");
    AddRule(saved, 7, "nul\0x"s, "");
    saved.promptMode = 3;
    saved.windowRect = {-5, 6, -7, 8};
    saved.startPageMode = 2;
    saved.announceUpdates = 1;
    std::strcpy(saved.startUrl, "http://start/");
    saved.startUrl[200] = 'z';  // bytes after the NUL travel too
    saved.Save();
    const std::string file = ReadData("filter.dat");

    CBrowserDataStore loaded;
    loaded.Load();
    ASSERT_EQ(loaded.rules.size(), 2u);
    EXPECT_EQ(loaded.rules[0]->scope, 2);
    EXPECT_EQ(loaded.rules[0]->pattern.str(), kGood + "Ad");
    EXPECT_EQ(loaded.rules[0]->site, "Site.CN");
    EXPECT_EQ(loaded.rules[1]->pattern.str(), "nul\0x"s);
    EXPECT_EQ(loaded.windowRect.right, -7);
    EXPECT_EQ(std::string(loaded.startUrl, 256), std::string(saved.startUrl, 256));
    loaded.Save();
    EXPECT_EQ(ReadData("filter.dat"), file);
}

TEST_F(BrowserDataStoreTest, MissingEmptyAndGarbageFilesKeepTheDefaults) {
    for (const std::string& bytes : {""s, "\x01\x02\x03"s, "<html>no settings file</html>"s}) {
        SCOPED_TRACE(bytes);
        auto store = LoadFilter(bytes);
        EXPECT_TRUE(store->rules.empty());
        EXPECT_EQ(store->promptMode, -1);
        EXPECT_EQ(store->windowRect.right, 1);
        EXPECT_EQ(store->startUrl[0], '\0');
    }
    std::filesystem::remove("data/filter.dat");
    CBrowserDataStore store;
    EXPECT_EQ(store.Load(), 0);
    EXPECT_EQ(store.promptMode, -1);
}

// Every prefix of a valid file takes exactly the fields whose bytes are whole.
TEST_F(BrowserDataStoreTest, TruncatedFileTakesEveryWholeField) {
    const std::string full = Int32(1) + Int32(2) + RuleRecord(1, "ad", "abc.com") +
                             RuleRecord(2, "x", "") + Int32(9) + Int32(11) + Int32(12) + Int32(13) +
                             Int32(14) + std::string(24, '\x05') + "http://s/" +
                             std::string(246, '\0');
    const size_t afterRules = 8 + 21 + 13;
    ASSERT_EQ(full.size(), afterRules + 299);
    for (size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(length);
        auto store = LoadFilter(full.substr(0, length));
        EXPECT_EQ(store->filterPaused, length >= 4 ? 1 : 0);
        ASSERT_EQ(store->rules.size(), length < 29 ? 0u : length < afterRules ? 1u : 2u);
        if (!store->rules.empty()) {
            EXPECT_EQ(store->rules[0]->site, "abc.com");
        }
        EXPECT_EQ(store->promptMode, length >= afterRules + 4 ? 9 : -1);
        EXPECT_EQ(store->windowRect.bottom, length >= afterRules + 20 ? 14 : 1);
        EXPECT_EQ(store->announceUpdates, length >= afterRules + 44 ? 0x05050505 : 0);
        // The start address is whole once its NUL is read; the padding after it may be missing.
        EXPECT_STREQ(store->startUrl, length >= afterRules + 54 ? "http://s/" : "");
    }
}

// A damaged count or length keeps the whole rules before the damage. A count that the file
// cannot hold leaves the fields at the file's end readable, and never turns them into rules.
TEST_F(BrowserDataStoreTest, DamagedCountsAndLengthsKeepTheWholeRulesBeforeThem) {
    const std::string tail = Int32(4) + Int32(10) + Int32(20) + Int32(810) + Int32(620) +
                             std::string(24, '\0') + "http://t/" + std::string(246, '\0');
    const std::string zeros(299, '\0');
    const std::string a = RuleRecord(0, "a", "b");
    const std::string c = RuleRecord(1, "c", "d");
    struct Case {
        std::string bytes;
        std::vector<std::string> patterns;
        int promptMode;
    } cases[] = {
        {Int32(0) + Int32(0x7FFFFFFF) + a + c + tail, {"a", "c"}, 4},
        {Int32(0) + Int32(30) + a + tail, {"a"}, 4},
        {Int32(0) + Int32(-1) + a + tail, {"a"}, 4},
        // Zeros after the rules would read as rules that block every address.
        {Int32(0) + Int32(0x7FFFFFFF) + a + zeros, {"a"}, 0},
        {Int32(0) + Int32(2) + a + Int32(0) + Int32(-4) + "abcd" + tail, {"a"}, 77},
        {Int32(0) + Int32(2) + a + Int32(0) + Int32(0x7FFFFFFF) + tail, {"a"}, 77},
        {Int32(0) + Int32(2) + a + Int32(0) + Int32(1) + "a" + Int32(400) + tail, {"a"}, 77},
        {Int32(0) + Int32(0x7FFFFFFF) + a + Int32(0) + Int32(1), {"a"}, 77},
        {Int32(0) + Int32(-1) + DefaultTail(), {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes.substr(0, 16)));
        WriteData("filter.dat", c.bytes);
        CBrowserDataStore store;
        store.promptMode = 77;
        store.Load();
        std::vector<std::string> patterns;
        for (const auto& rule : store.rules) {
            patterns.push_back(rule->pattern.str());
        }
        EXPECT_EQ(patterns, c.patterns);
        EXPECT_EQ(store.promptMode, c.promptMode);
    }
}

// A save after a damaged load keeps the damaged file beside the new one, once.
TEST_F(BrowserDataStoreTest, DamagedFileIsKeptBesideItOnceBeforeItIsReplaced) {
    CBrowserDataStore saved;
    AddRule(saved, 0, "ad");
    std::strcpy(saved.startUrl, "http://start/");
    saved.Save();
    const std::string whole = ReadData("filter.dat");
    const std::string damaged = whole.substr(0, whole.size() - 1);
    WriteData("filter.dat", damaged);

    CBrowserDataStore store;
    store.Load();
    EXPECT_STREQ(store.startUrl, "http://start/");
    ASSERT_EQ(store.rules.size(), 1u);
    store.promptMode = 3;
    store.Save();
    EXPECT_EQ(ReadData("filter.dat.damaged"), damaged);
    EXPECT_EQ(ReadData("filter.dat").size(), whole.size());

    WriteData("filter.dat.damaged", "an older copy");
    store.Save();
    EXPECT_EQ(ReadData("filter.dat.damaged"), "an older copy");

    // A whole file, or an empty one, leaves nothing to keep.
    std::filesystem::remove("data/filter.dat.damaged");
    for (const std::string& bytes : {whole, ""s}) {
        WriteData("filter.dat", bytes);
        CBrowserDataStore clean;
        clean.Load();
        clean.Save();
        EXPECT_FALSE(std::filesystem::exists("data/filter.dat.damaged"));
    }
}

TEST_F(BrowserDataStoreTest, LoadAppendsRulesToThoseHeld) {
    WriteData("filter.dat", Int32(0) + Int32(1) + RuleRecord(0, "new", "") + DefaultTail());
    CBrowserDataStore store;
    AddRule(store, 0, "old");
    store.Load();
    ASSERT_EQ(store.rules.size(), 2u);
    EXPECT_EQ(store.rules[0]->pattern, "old");
    EXPECT_EQ(store.rules[1]->pattern, "new");
    store.ClearFilterRules();
    EXPECT_TRUE(store.rules.empty());
}

// A file that cannot be written leaves the previous one and says so; without a main window the
// standard error is the only place to say it.
TEST_F(BrowserDataStoreTest, FailedWriteKeepsThePreviousFileAndIsReported) {
    CBrowserDataStore store;
    store.Save();
    const std::string before = ReadData("filter.dat");
    std::filesystem::create_directories("data/filter.dat.tmp/in the way");
    store.promptMode = 5;
    testing::internal::CaptureStderr();
    EXPECT_EQ(store.Save(), 0);
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr("data\\filter.dat could not be saved"));
    EXPECT_EQ(ReadData("filter.dat"), before);

    std::filesystem::remove_all("data");
    testing::internal::CaptureStderr();
    EXPECT_EQ(store.SaveAll(), 0);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_THAT(report, testing::HasSubstr("data\\filter.dat could not be saved"));
    EXPECT_THAT(report, testing::HasSubstr("data\\visited.dat could not be saved"));
    EXPECT_FALSE(std::filesystem::exists("data"));
}

// Temporary files left by an interrupted save never stand in the way of the next one.
TEST_F(BrowserDataStoreTest, LeftOverTemporaryFilesGoWithTheNextSave) {
    WriteData("filter.dat.tmp", "half a settings file");
    WriteData("visited.dat.tmp", "half a list");
    std::filesystem::permissions("data/filter.dat.tmp", std::filesystem::perms::owner_read);
    CBrowserDataStore store;
    store.AddVisitedUrl("http://a/");
    store.SaveAll();
    EXPECT_EQ(ReadData("filter.dat").size(), 307u);
    EXPECT_EQ(ReadData("visited.dat"), "http://a/\r\n");
    EXPECT_FALSE(std::filesystem::exists("data/filter.dat.tmp"));
    EXPECT_FALSE(std::filesystem::exists("data/visited.dat.tmp"));
}

TEST_F(BrowserDataStoreTest, FilterDecisions) {
    CBrowserDataStore store;
    EXPECT_FALSE(store.IsUrlBlocked("http://ad.com/ad"));
    AddRule(store, 0, "ad");
    EXPECT_TRUE(store.IsUrlBlocked("http://AD.example.com/"));
    EXPECT_TRUE(store.IsUrlBlocked("http://example.com/path/Ad.gif"));
    EXPECT_FALSE(store.IsUrlBlocked("http://example.com/"));
    store.filterPaused = 1;
    EXPECT_FALSE(store.IsUrlBlocked("http://AD.example.com/"));
    store.filterPaused = 0;

    store.ClearFilterRules();
    AddRule(store, 1, "X", "ABC.com");
    EXPECT_TRUE(store.IsUrlBlocked("http://www.abc.com/x.htm"));
    EXPECT_FALSE(store.IsUrlBlocked("http://www.other.com/x.htm"));
    EXPECT_FALSE(store.IsUrlBlocked("http://www.other.com/abc.com/x.htm"));  // site in the path
    EXPECT_FALSE(store.IsUrlBlocked("http://www.abc.com/y.htm"));
    EXPECT_TRUE(store.IsUrlBlocked("http://x.abc.com"));  // no path: the host part is all

    store.rules[0]->scope = 2;
    EXPECT_FALSE(store.IsUrlBlocked("http://www.abc.com/x.htm"));
    EXPECT_TRUE(store.IsUrlBlocked("http://www.other.com/x.htm"));
    EXPECT_TRUE(store.IsUrlBlocked("http://www.other.com/abc.com/x.htm"));
    EXPECT_FALSE(store.IsUrlBlocked("http://x.abc.com"));
    // Without "//" the host part runs to the first '/'.
    EXPECT_FALSE(store.IsUrlBlocked("abc.com/x"));
    EXPECT_TRUE(store.IsUrlBlocked("other/abc.com/x"));
    // A matching scope-2 rule ends the test before a later rule could block.
    AddRule(store, 0, "x");
    EXPECT_FALSE(store.IsUrlBlocked("http://www.abc.com/x.htm"));

    store.ClearFilterRules();
    AddRule(store, 3, "x", "");
    EXPECT_FALSE(store.IsUrlBlocked("http://x.com/x"));
    AddRule(store, 1, "", "");
    EXPECT_TRUE(store.IsUrlBlocked("anything"));
}

TEST_F(BrowserDataStoreTest, FilterComparesPlainBytes) {
    CBrowserDataStore store;
    // 0x81 0x61 is one character whose second byte looks like 'a'; the filter matches bytes, so
    // "ad" is found across the character boundary, as in the original filter.
    AddRule(store, 0, "ad");
    EXPECT_TRUE(store.IsUrlBlocked("http://h/\x81\x61\x64"));
    // Folding leaves a second byte 'A' alone, so 0x81 'A' stays another character than 0x81 'a'.
    store.ClearFilterRules();
    AddRule(store, 0, "\x81\x61");
    EXPECT_FALSE(store.IsUrlBlocked("http://h/\x81\x41"));
    EXPECT_TRUE(store.IsUrlBlocked("http://h/\x81\x61"));
}

TEST_F(BrowserDataStoreTest, AllowedAndBlockedListsIgnoreCase) {
    CBrowserDataStore store;
    AddRule(store, 0, "ads");
    store.AddAllowedUrl("http://Good.com/Ads");
    EXPECT_FALSE(store.IsUrlBlocked("http://good.com/ads/1.htm"));
    EXPECT_FALSE(store.IsUrlBlocked("HTTP://GOOD.COM/ADS"));
    EXPECT_TRUE(store.IsUrlBlocked("http://bad.com/ads"));
    store.AddAllowedUrl("http://GOOD.com/ads");
    store.AddAllowedUrl("http://second.com/");
    ASSERT_EQ(store.allowedUrls.size(), 2u);
    EXPECT_EQ(store.allowedUrls[0], "http://Good.com/Ads");
    EXPECT_EQ(store.allowedUrls[1], "http://second.com/");

    EXPECT_EQ(store.AddBlockedUrl("http://a.com/Ad"), 1);
    EXPECT_EQ(store.AddBlockedUrl("HTTP://A.COM/aD"), 0);
    EXPECT_EQ(store.AddBlockedUrl("http://b.com/"), 1);
    ASSERT_EQ(store.blockedUrls.size(), 2u);
    EXPECT_EQ(store.blockedUrls[0], "http://b.com/");
    // Only letters fold ('[' and '{' differ in the case bit alone), and never a second byte.
    EXPECT_EQ(store.AddBlockedUrl("http://a.com/x["), 1);
    EXPECT_EQ(store.AddBlockedUrl("http://a.com/x{"), 1);
    EXPECT_EQ(store.AddBlockedUrl("\x81\x61"), 1);
    EXPECT_EQ(store.AddBlockedUrl("\x81\x41"), 1);
}

TEST_F(BrowserDataStoreTest, VisitedListKeepsThe1800Newest) {
    CBrowserDataStore store;
    for (int i = 0; i <= 1800; ++i) {
        EXPECT_EQ(store.AddVisitedUrl(("http://site" + std::to_string(i) + "/").c_str()), 1);
    }
    ASSERT_EQ(store.visitedUrls.size(), 1800u);
    EXPECT_EQ(store.visitedUrls.front(), "http://site1800/");
    EXPECT_EQ(store.visitedUrls.back(), "http://site1/");

    store.AddVisitedUrl("HTTP://SITE5/");
    ASSERT_EQ(store.visitedUrls.size(), 1800u);
    EXPECT_EQ(store.visitedUrls[0], "HTTP://SITE5/");
    EXPECT_EQ(store.visitedUrls[1], "http://site1800/");
    EXPECT_EQ(store.visitedUrls.back(), "http://site1/");
    // The address box hands back one of the entries themselves.
    store.AddVisitedUrl(store.visitedUrls[7]);
    EXPECT_EQ(store.visitedUrls[0], "http://site1794/");
    EXPECT_EQ(store.visitedUrls[1], "HTTP://SITE5/");
}

TEST_F(BrowserDataStoreTest, VisitedFileLoadsInOrderWithoutACap) {
    std::string text = "\r\nfirst\r\n\r\nsecond\n";
    for (int i = 0; i < 1900; ++i) {
        text += "u" + std::to_string(i) + "\r\n";
    }
    text += std::string(4000, 'L') + "\r\n" + std::string(3070, 'g') + kGood + "\r\n";
    WriteData("visited.dat", text);
    CBrowserDataStore store;
    store.Load();
    // The empty line that the leading line end gives is no address.
    ASSERT_EQ(store.visitedUrls.size(), 1904u);
    EXPECT_EQ(store.visitedUrls[0], "first");
    EXPECT_EQ(store.visitedUrls[1], "second");
    EXPECT_EQ(store.visitedUrls[1901], "u1899");
    EXPECT_EQ(store.visitedUrls[1902].str(), std::string(3071, 'L'));
    // Cut to the line buffer, the line would end in half a character.
    EXPECT_EQ(store.visitedUrls[1903].str(), std::string(3070, 'g'));
}

// A NUL in the list (a damaged file) ends only its line: every later address survives the load
// and the rewrite.
TEST_F(BrowserDataStoreTest, NulInTheVisitedFileLosesNoLaterAddress) {
    WriteData("visited.dat", "http://a/\r\nhttp://b/\0junk\r\nhttp://c/\r\n\0\r\nhttp://d/\r\n"s);
    CBrowserDataStore store;
    store.Load();
    std::vector<std::string> urls;
    for (const CString& url : store.visitedUrls) {
        urls.push_back(url.str());
    }
    EXPECT_EQ(urls, (std::vector<std::string>{"http://a/", "http://b/", "junk", "http://c/",
                                              "http://d/"}));
    store.SaveAll();
    EXPECT_EQ(ReadData("visited.dat"),
              "http://a/\r\nhttp://b/\r\njunk\r\nhttp://c/\r\nhttp://d/\r\n");
}

TEST_F(BrowserDataStoreTest, SaveAllWritesAtMost1800CutLines) {
    CBrowserDataStore store;
    for (int i = 0; i < 1805; ++i) {
        store.visitedUrls.emplace_back("v" + std::to_string(i));
    }
    store.visitedUrls[0] = CString(std::string(3100, 'a'));
    store.visitedUrls[1] = CString(std::string(3070, 'b') + kGood);
    store.visitedUrls[2] = CString(std::string(3069, 'c') + kGood);
    store.SaveAll();

    std::string expected = std::string(3071, 'a') + "\r\n" + std::string(3070, 'b') + "\r\n" +
                           std::string(3069, 'c') + kGood + "\r\n";
    for (int i = 3; i < 1800; ++i) {
        expected += "v" + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(ReadData("visited.dat"), expected);
    EXPECT_EQ(ReadData("filter.dat").size(), 307u);
    EXPECT_FALSE(std::filesystem::exists("data/visited.dat.tmp"));
}

TEST_F(BrowserDataStoreTest, StartPageWithoutEngineBlockGivesTheBuiltIns) {
    CBrowserDataStore missing;
    missing.Load();
    EXPECT_TRUE(missing.engineNames.empty());
    EXPECT_TRUE(missing.engineUrls.empty());

    WriteData("main.htm", "<html>\r\nSEARCH_INFO_END\r\n</html>\r\n");
    CBrowserDataStore store;
    store.Load();
    const char* names[] = {"\xB0\xD9\xB6\xC8\xCD\xF8\xD2\xB3",
                           "\xB0\xD9\xB6\xC8\xD0\xC2\xCE\xC5",
                           "\xB0\xD9\xB6\xC8MP3",
                           "\xB0\xD9\xB6\xC8\xCD\xBC\xC6\xAC",
                           "GOOGLE\xCD\xF8\xD2\xB3",
                           "GOOGLE\xCD\xBC\xC6\xAC",
                           "GOOGLE\xD7\xCA\xD1\xB6",
                           "GOOGLE\xC2\xDB\xCC\xB3"};
    const char* urls[] = {"http://www.baidu.com/s?tn=vortane_dg&word=%s",
                          "http://news.baidu.com/ns?tn=vortane_dg&word=%s",
                          "http://mp3.baidu.com/m?tn=vortane_dg&word=%s",
                          "http://image.baidu.com/i?vortane_dg&word=%s",
                          "http://www.google.cn/search?hl=zh-CN&q=%s",
                          "http://images.google.cn/images?hl=zh-CN&q=%s",
                          "http://news.google.cn/news?hl=zh-CN&q=%s",
                          "http://groups.google.cn/groups?hl=zh-CN&q=%s"};
    ASSERT_EQ(store.engineNames.size(), 8u);
    ASSERT_EQ(store.engineUrls.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(store.engineNames[i], names[i]) << i;
        EXPECT_EQ(store.engineUrls[i], urls[i]) << i;
    }
}

TEST_F(BrowserDataStoreTest, EngineBlockAndMusicFields) {
    struct Case {
        std::string text;
        std::vector<std::string> engines;  // name, pattern, name, pattern, ...
        const char* musicBox;
        const char* musicUrl;
    } cases[] = {
        // Music fields before the block are found too; comments are passed over everywhere.
        {"SEARCH_TOOL_INFO\r\n// c\r\n" + kGood +
             " box\r\nhttp://m/?q=%s\r\n"
             "search_info_begin here\r\n// c\r\nWeb http://w/?q=%s&x=a b\r\nNews http://n/\r\n"
             "SEARCH_INFO_END\r\nLate http://late/\r\n",
         {"Web", "http://w/?q=%s&x=a b", "News", "http://n/"},
         "\xBA\xC3 box",
         "http://m/?q=%s"},
        {"SEARCH_INFO_BEGIN\r\nNoSpace\r\nWeb http://w/\r\n", {}, "", ""},
        {"SEARCH_INFO_BEGIN\r\nSEARCH_INFO_END\r\nWeb http://w/\r\n", {}, "", ""},
        // Only the exact line ends the block.
        {"SEARCH_INFO_BEGIN\r\nSEARCH_INFO_END x\r\nSEARCH_INFO_END\r\n",
         {"SEARCH_INFO_END", "x"},
         "",
         ""},
        {"SEARCH_INFO_BEGIN\r\nWeb http://w/\r\nSEARCH_TOOL_INFO\r\nbox",
         {"Web", "http://w/"},
         "box",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WriteData("main.htm", c.text);
        CBrowserDataStore store;
        store.Load();
        std::vector<std::string> engines;
        for (size_t i = 0; i < store.engineNames.size() && i < store.engineUrls.size(); ++i) {
            engines.push_back(store.engineNames[i].str());
            engines.push_back(store.engineUrls[i].str());
        }
        EXPECT_EQ(engines, c.engines);
        EXPECT_EQ(store.engineNames.size(), store.engineUrls.size());
        EXPECT_EQ(store.musicBoxText, c.musicBox);
        EXPECT_EQ(store.musicSearchUrl, c.musicUrl);
    }
}

}  // namespace
