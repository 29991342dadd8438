#include "platform/webcontrol/UrlHistory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/text/Encoding.h"
#include "platform/time/Clock.h"
#include "platform/time/TimeConversions.h"
#include "platform/webcontrol/BrowserTest.h"

namespace platform::webcontrol {

using namespace platform::testing;
namespace {

using ::testing::ElementsAre;

class UrlHistoryTest : public BrowserTest {
protected:
    void TearDown() override {
        SetTimeZoneOffsetForTesting(std::nullopt);
        BrowserTest::TearDown();
    }
    struct Row {
        std::string url;
        std::string title;
        uint64_t visited;
    };
    // Created as the programs create it, by class id with the interface they ask for.
    IUrlHistoryStg2* Create() {
        IUrlHistoryStg2* history = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IUrlHistoryStg2, reinterpret_cast<void**>(&history)),
                  S_OK);
        return history;
    }
    std::vector<Row> Rows(IUrlHistoryStg* history) {
        IEnumSTATURL* entries = nullptr;
        EXPECT_EQ(history->EnumUrls(&entries), S_OK);
        std::vector<Row> rows;
        STATURL entry{};
        entry.cbSize = sizeof entry;
        ULONG fetched = 0;
        while (entries->Next(1, &entry, &fetched) == S_OK && fetched == 1) {
            rows.push_back({entry.pwcsUrl != nullptr ? Utf16ToUtf8(entry.pwcsUrl) : "",
                            entry.pwcsTitle != nullptr ? Utf16ToUtf8(entry.pwcsTitle) : "",
                            (static_cast<uint64_t>(entry.ftLastVisited.dwHighDateTime) << 32) |
                                entry.ftLastVisited.dwLowDateTime});
            CoTaskMemFree(entry.pwcsUrl);
            CoTaskMemFree(entry.pwcsTitle);
        }
        entries->Release();
        return rows;
    }
    static std::vector<std::string> Urls(const std::vector<Row>& rows) {
        std::vector<std::string> urls;
        for (const Row& row : rows) {
            urls.push_back(row.url);
        }
        return urls;
    }
};

TEST_F(UrlHistoryTest, NavigationsFeedTheHistoryWithTitlesAndTimes) {
    auto host = Host();
    host->Navigate("about:blank");
    PumpUntilIdle();
    host->Navigate(Page("a.htm", "<title>Page A</title>"));
    PumpUntilIdle();
    AdvanceTestClock(std::chrono::seconds(1));
    host->Navigate(Page("b.htm", "no title"));
    PumpUntilIdle();
    IUrlHistoryStg2* history = Create();
    std::vector<Row> rows = Rows(history);
    EXPECT_THAT(Urls(rows), ElementsAre(Address("b.htm"), Address("a.htm")));
    EXPECT_EQ(rows[1].title, "Page A");
    EXPECT_EQ(rows[0].title, Address("b.htm"));
    EXPECT_EQ(rows[0].visited - rows[1].visited, 10000000u);
    EXPECT_EQ(history->ClearHistory(), S_OK);
    EXPECT_TRUE(Rows(history).empty());
    history->Release();
}

TEST_F(UrlHistoryTest, BothInterfacesReachTheSameStore) {
    IUrlHistoryStg* first = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER, IID_IUrlHistoryStg,
                               reinterpret_cast<void**>(&first)),
              S_OK);
    EXPECT_EQ(first->AddUrl(u"http://x/", u"X", ADDURL_ADDTOHISTORYANDCACHE), S_OK);
    EXPECT_EQ(first->AddUrl(nullptr, u"X", 0), E_INVALIDARG);
    IUrlHistoryStg2* second = Create();
    STATURL entry{};
    EXPECT_EQ(second->QueryUrl(u"http://x/", STATURL_QUERYFLAG_NOTITLE, &entry), S_OK);
    EXPECT_EQ(Utf16ToUtf8(entry.pwcsUrl), "http://x/");
    EXPECT_EQ(entry.pwcsTitle, nullptr);
    CoTaskMemFree(entry.pwcsUrl);
    EXPECT_EQ(second->QueryUrl(u"http://y/", 0, &entry), E_FAIL);
    EXPECT_EQ(second->DeleteUrl(u"http://x/", 0), S_OK);
    EXPECT_TRUE(Rows(first).empty());
    second->Release();
    first->Release();
}

TEST_F(UrlHistoryTest, EnumeratorFiltersByStartAndReportsShortBatches) {
    IUrlHistoryStg2* history = Create();
    history->AddUrl(u"http://a/1", u"", 0);
    history->AddUrl(u"file:///C:/x.htm", u"", 0);
    history->AddUrl(u"http://a/2", u"", 0);
    IEnumSTATURL* entries = nullptr;
    history->EnumUrls(&entries);
    entries->SetFilter(u"http://", 0);
    STATURL batch[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(entries->Next(3, batch, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(Utf16ToUtf8(batch[0].pwcsUrl), "http://a/2");
    EXPECT_EQ(Utf16ToUtf8(batch[1].pwcsUrl), "http://a/1");
    for (ULONG i = 0; i < fetched; ++i) {
        CoTaskMemFree(batch[i].pwcsUrl);
        CoTaskMemFree(batch[i].pwcsTitle);
    }
    EXPECT_EQ(entries->Reset(), S_OK);
    EXPECT_EQ(entries->Skip(2), S_OK);
    EXPECT_EQ(entries->Skip(1), S_FALSE);
    entries->Release();
    history->Release();
}

TEST_F(UrlHistoryTest, TheHistoryDialogReadsEachVisitWithItsLocalTimeAndGbkTexts) {
    SetTimeZoneOffsetForTesting(8 * 60);
    UseTestClock(SYSTEMTIME{2024, 3, 0, 15, 9, 30, 0, 0});
    auto host = Host();
    // "中文" in GBK, the charset of pages that declare none.
    host->Navigate(Page("cn.htm", "<title>\xD6\xD0\xCE\xC4</title>"));
    PumpUntilIdle();
    IUrlHistoryStg* history = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER, IID_IUrlHistoryStg,
                               reinterpret_cast<void**>(&history)),
              S_OK);
    IEnumSTATURL* entries = nullptr;
    ASSERT_EQ(history->EnumUrls(&entries), S_OK);
    STATURL entry{};
    ULONG fetched = 0;
    ASSERT_EQ(entries->Next(1, &entry, &fetched), S_OK);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(Utf8ToGbk(Utf16ToUtf8(entry.pwcsTitle)), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(Utf16ToUtf8(entry.pwcsUrl), Address("cn.htm"));
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    ASSERT_TRUE(FileTimeToSystemTime(&entry.ftLastVisited, &utc));
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    EXPECT_EQ(utc.wHour, 1);
    EXPECT_EQ(
        std::vector<WORD>({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute}),
        std::vector<WORD>({2024, 3, 15, 9, 30}));
    CoTaskMemFree(entry.pwcsUrl);
    CoTaskMemFree(entry.pwcsTitle);
    EXPECT_EQ(entries->Next(1, &entry, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    entries->Release();
    history->Release();
}

}  // namespace
}  // namespace platform::webcontrol
