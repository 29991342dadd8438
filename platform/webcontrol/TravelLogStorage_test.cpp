#include "platform/webcontrol/TravelLogStorage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/com/ServiceProvider.h"
#include "platform/text/Encoding.h"
#include "platform/webcontrol/BrowserTest.h"

namespace platform::webcontrol {

using namespace platform::testing;
namespace {

using ::testing::ElementsAre;

class TravelLogStorageTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        host = Host();
    }
    void TearDown() override {
        if (storage != nullptr) {
            storage->Release();
        }
        host.reset();
        BrowserTest::TearDown();
    }
    void Visit(const std::string& name) {
        host->Navigate(Page(name, "<title>Title " + name + "</title>"));
        PumpUntilIdle();
    }
    // As the browser reaches it: the application object's service provider.
    void Attach() {
        IDispatch* application = host->Application();
        IServiceProvider* provider = nullptr;
        ASSERT_EQ(
            application->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&provider)),
            S_OK);
        ASSERT_EQ(provider->QueryService(IID_ITravelLogStg, IID_ITravelLogStg,
                                         reinterpret_cast<void**>(&storage)),
                  S_OK);
        provider->Release();
        application->Release();
    }
    std::vector<std::string> Titles(DWORD flags) { return TravelTitles(storage, flags); }

    std::unique_ptr<HostedBrowser> host;
    ITravelLogStg* storage = nullptr;
};

TEST_F(TravelLogStorageTest, EmptyLogHasNothingInEitherDirection) {
    Attach();
    EXPECT_TRUE(Titles(TLEF_RELATIVE_BACK).empty());
    DWORD count = 9;
    EXPECT_EQ(storage->GetCount(TLEF_RELATIVE_FORE, &count), S_OK);
    EXPECT_EQ(count, 0u);
    ITravelLogEntry* entry = nullptr;
    EXPECT_EQ(storage->GetRelativeEntry(-1, &entry), E_FAIL);
    EXPECT_EQ(entry, nullptr);
    EXPECT_EQ(host->browser->GoBack(), E_FAIL);
}

TEST_F(TravelLogStorageTest, NavigationsFillTheBackListNearestFirst) {
    for (std::string name : {"a.htm", "b.htm", "c.htm"}) {
        Visit(name);
    }
    Attach();
    EXPECT_THAT(Titles(TLEF_RELATIVE_BACK), ElementsAre("Title b.htm", "Title a.htm"));
    EXPECT_TRUE(Titles(TLEF_RELATIVE_FORE).empty());
    EXPECT_THAT(Titles(TLEF_ABSOLUTE), ElementsAre("Title a.htm", "Title b.htm", "Title c.htm"));
}

TEST_F(TravelLogStorageTest, TravelToARelativeEntryNavigatesThereAndKeepsTheRest) {
    for (std::string name : {"a.htm", "b.htm", "c.htm"}) {
        Visit(name);
    }
    Attach();
    ITravelLogEntry* entry = nullptr;
    ASSERT_EQ(storage->GetRelativeEntry(-2, &entry), S_OK);
    LPOLESTR url = nullptr;
    entry->GetURL(&url);
    EXPECT_EQ(Utf16ToUtf8(url), Address("a.htm"));
    CoTaskMemFree(url);
    host->sink->events.clear();
    EXPECT_EQ(storage->TravelTo(entry), S_OK);
    entry->Release();
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("BeforeNavigate2"),
                ElementsAre("BeforeNavigate2 top " + Address("a.htm")));
    EXPECT_EQ(host->LocationUrl(), Address("a.htm"));
    EXPECT_TRUE(Titles(TLEF_RELATIVE_BACK).empty());
    EXPECT_THAT(Titles(TLEF_RELATIVE_FORE), ElementsAre("Title b.htm", "Title c.htm"));

    EXPECT_EQ(host->browser->GoForward(), S_OK);
    PumpUntilIdle();
    EXPECT_EQ(host->LocationUrl(), Address("b.htm"));
    EXPECT_THAT(Titles(TLEF_RELATIVE_BACK), ElementsAre("Title a.htm"));
    EXPECT_THAT(Titles(TLEF_RELATIVE_FORE), ElementsAre("Title c.htm"));
}

TEST_F(TravelLogStorageTest, CancelledTravelStaysWhereItWas) {
    Visit("a.htm");
    Visit("b.htm");
    host->sink->answer = [](DISPID member, DISPPARAMS* parameters) {
        if (member == DISPID_BEFORENAVIGATE2) {
            *parameters->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
    };
    EXPECT_EQ(host->browser->GoBack(), S_OK);
    PumpUntilIdle();
    Attach();
    EXPECT_EQ(host->LocationUrl(), Address("b.htm"));
    EXPECT_THAT(Titles(TLEF_RELATIVE_BACK), ElementsAre("Title a.htm"));
}

TEST_F(TravelLogStorageTest, StorageKeepsTheControlAliveAndReleasesIt) {
    Visit("a.htm");
    Attach();
    IUnknown* identity = nullptr;
    host->browser->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    ULONG withStorage = identity->Release();
    storage->Release();
    storage = nullptr;
    identity->AddRef();
    EXPECT_EQ(identity->Release(), withStorage - 1);
}

TEST_F(TravelLogStorageTest, EnumeratorFetchesSeveralAndReportsTheShortfall) {
    for (std::string name : {"a.htm", "b.htm", "c.htm"}) {
        Visit(name);
    }
    Attach();
    IEnumTravelLogEntry* entries = nullptr;
    storage->EnumEntries(TLEF_RELATIVE_BACK | TLEF_RELATIVE_INCLUDE_CURRENT, &entries);
    ITravelLogEntry* batch[4] = {};
    ULONG fetched = 0;
    EXPECT_EQ(entries->Next(4, batch, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 3u);
    LPOLESTR title = nullptr;
    batch[0]->GetTitle(&title);
    EXPECT_EQ(Utf16ToUtf8(title), "Title c.htm");
    CoTaskMemFree(title);
    for (ULONG i = 0; i < fetched; ++i) {
        batch[i]->Release();
    }
    EXPECT_EQ(entries->Reset(), S_OK);
    EXPECT_EQ(entries->Skip(2), S_OK);
    EXPECT_EQ(entries->Skip(2), S_FALSE);
    entries->Release();
}

}  // namespace
}  // namespace platform::webcontrol
