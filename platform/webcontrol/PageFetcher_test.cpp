#include "platform/webcontrol/PageFetcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/files/PathResolution.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/internet/UrlDownload.h"
#include "platform/testing/TempFolder.h"
#include "platform/webcontrol/BrowserTest.h"
#include "platform/webcontrol/HtmlInterfaces.h"

namespace platform::webcontrol {
namespace {

using platform::testing::TestHttpServer;
using ::testing::ElementsAre;

TEST(PageFetcherTest, WireAddressSendsGbkBytesPercentEncoded) {
    std::string utf8 = reinterpret_cast<const char*>(u8"http://s/?q=中 a");
    EXPECT_EQ(WireAddress(utf8), "http://s/?q=%D6%D0%20a");
    EXPECT_EQ(WireAddress("http://s/a?b=c&d=%41"), "http://s/a?b=c&d=%41");
}

TEST(PageFetcherTest, AboutPagesAreEmptyAndUnknownSchemesFail) {
    FetchResult blank = FetchAddress("about:blank");
    EXPECT_TRUE(blank.ok);
    EXPECT_EQ(blank.bytes, "");
    FetchResult unknown = FetchAddress("gopher://x/");
    EXPECT_FALSE(unknown.ok);
    EXPECT_EQ(unknown.status, INET_E_UNKNOWN_PROTOCOL);
}

TEST(PageFetcherTest, FileAddressesGoThroughThePathLayer) {
    platform::testing::TempFolder folder;
    folder.WriteFile("Data2/Menu.htm", "menu bytes");
    std::string path = WindowsPathOf(folder.path()).ToString();
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    // Names are found without case, and %-escapes are decoded.
    FetchResult found = FetchAddress("file:///" + path + "/data2/menu%2Ehtm");
    EXPECT_TRUE(found.ok);
    EXPECT_EQ(found.bytes, "menu bytes");
    FetchResult missing = FetchAddress("file:///" + path + "/none.htm");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.status, INET_E_RESOURCE_NOT_FOUND);
    FetchResult folderItself = FetchAddress("file:///" + path + "/data2");
    EXPECT_FALSE(folderItself.ok);
}

TEST(PageFetcherTest, HttpPagesAndRefusals) {
    TestHttpServer server;
    server.Serve("/page.htm", 200, "Content-Type: text/html\r\n", "<title>Served</title>");
    server.Serve("/gone.htm", 404, "", "not here");
    FetchResult page = FetchAddress(server.Url("/page.htm"));
    EXPECT_TRUE(page.ok);
    EXPECT_EQ(page.bytes, "<title>Served</title>");
    FetchResult gone = FetchAddress(server.Url("/gone.htm"));
    EXPECT_FALSE(gone.ok);
    EXPECT_EQ(gone.status, 404);
    FetchResult closed =
        FetchAddress("http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/");
    EXPECT_FALSE(closed.ok);
}

class HttpBrowserTest : public testing::BrowserTest {};

TEST_F(HttpBrowserTest, ControlLoadsAPageFromALocalServer) {
    TestHttpServer server;
    server.Serve("/index.htm", 200, "Content-Type: text/html\r\n",
                 "<title>Local</title><a href='/next.htm'>next</a><img src='p.gif'>");
    auto host = Host();
    host->Navigate(server.Url("/index.htm"));
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("DocumentComplete"),
                ElementsAre("DocumentComplete top " + server.Url("/index.htm")));
    EXPECT_THAT(host->sink->Of("TitleChange"), ElementsAre("TitleChange Local"));
    EXPECT_EQ(host->LocationUrl(), server.Url("/index.htm"));
    VARIANT document = host->Get(DISPID_DOCUMENT);
    IHTMLDocument2* html = nullptr;
    document.pdispVal->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html));
    IHTMLElementCollection* images = nullptr;
    html->get_images(&images);
    VARIANT first;
    VariantInit(&first);
    first.vt = VT_I4;
    first.lVal = 0;
    IDispatch* item = nullptr;
    images->item(first, first, &item);
    ASSERT_NE(item, nullptr);
    IHTMLImgElement* image = nullptr;
    item->QueryInterface(IID_IHTMLImgElement, reinterpret_cast<void**>(&image));
    BSTR src = nullptr;
    image->get_src(&src);
    EXPECT_EQ(Utf8FromBstr(src), server.Url("/p.gif"));
    SysFreeString(src);
    image->Release();
    item->Release();
    images->Release();
    html->Release();
    VariantClear(&document);
}

TEST_F(HttpBrowserTest, RefusedPageRaisesNavigateErrorWithTheStatus) {
    TestHttpServer server;
    server.Serve("/missing", 404, "", "");
    auto host = Host();
    host->Navigate(server.Url("/missing"));
    PumpUntilIdle();
    EXPECT_THAT(host->sink->Of("NavigateError"),
                ElementsAre("NavigateError top " + server.Url("/missing") + " 404"));
}

}  // namespace
}  // namespace platform::webcontrol
