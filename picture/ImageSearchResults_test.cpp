#include "picture/ImageSearchResults.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ImageSearchResultsTest : public ::testing::Test {
protected:
    void SetUp() override { CImageSearchResults::SetSearchHosts("img.test", "web.test"); }

    static CString Picture(int n) {
        CString url;
        url.Format("http://img.test/i?ct=1&n=%d", n);
        return url;
    }
    static int CountOf(const std::string& text, const std::string& word) {
        int count = 0;
        for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
            ++count;
        }
        return count;
    }

    CImageSearchResults results_;
};

TEST_F(ImageSearchResultsTest, SevenPicturesAndThreePageLinksMakeTwoRowsAndOne) {
    results_.m_strKeyword = "猫";
    for (int n = 0; n < 7; ++n) {
        EXPECT_EQ(results_.AddLink(Picture(n), "<IMG SRC=t.jpg>"), 0);
    }
    EXPECT_EQ(results_.AddLink("http://img.test/i?z=2", "[2]"), 1);
    EXPECT_EQ(results_.AddLink("http://img.test/i?z=3", "[3]"), 1);
    EXPECT_EQ(results_.AddLink("http://img.test/i?z=4", "下一页"), 1);
    CString out;
    EXPECT_EQ(results_.RenderHtml(out), 0);
    const std::string html(out.view());
    EXPECT_EQ(html.rfind("&nbsp;&nbsp;<b>猫</b><hr><script>function play(obj){var str;str = "
                         "'qrplay:1:' + obj.url;window.status='';window.status=str;"
                         "window.status='';}</script><table border=0 width=100%><tr><td><div "
                         "style='width=1;height=1;border:1px solid black;cursor:hand' "
                         "onclick=play(this) url=\"http://img.test/i?ct=1&amp;n=0|||||猫\">"
                         "<img src=\"t.jpg\"></div></td>",
                         0),
              0u);
    const size_t pageTable = html.find("<table border=0>");
    ASSERT_NE(pageTable, std::string::npos);
    const std::string pictures = html.substr(0, pageTable);
    EXPECT_EQ(CountOf(pictures, "<tr>"), 2);
    EXPECT_EQ(CountOf(pictures, "</tr>"), 1);
    EXPECT_THAT(pictures, HasSubstr("n=6|||||猫\"><img src=\"t.jpg\"></div></td></table>"));
    const std::string pages = html.substr(pageTable);
    EXPECT_EQ(CountOf(pages, "<tr>"), 1);
    EXPECT_EQ(CountOf(pages, "onclick=page(this)"), 3);
    EXPECT_THAT(pages, HasSubstr("url=\"http://img.test/i?z=4|||||猫\">下一页</div></td></table>"));
    EXPECT_THAT(html, HasSubstr("str = 'qrplay:3:' + obj.url;"));
}

TEST_F(ImageSearchResultsTest, RepeatsOverflowAndUnwantedLinksAreRefused) {
    results_.AddLink("http://IMG.TEST/I?CT=1&N=0", "");
    results_.AddLink(Picture(0), "");
    EXPECT_EQ(results_.m_nImageCount, 1);
    for (int n = 1; n < 60; ++n) {
        results_.AddLink(Picture(n), "");
    }
    EXPECT_EQ(results_.m_nImageCount, 50);
    EXPECT_EQ(results_.AddLink("http://img.test/i?z=9", "more"), 0);
    // The bytes of "一页" and of "[" inside other two-byte characters are not those words.
    EXPECT_EQ(results_.AddLink("http://img.test/i?z=9", "\xB0\xD2\xBB\xD2\xB3\xA1"), 0);
    EXPECT_EQ(results_.AddLink("http://img.test/i?z=9", "\x81\x5B"), 0);
    EXPECT_EQ(results_.AddLink("http://other.test/i?z=9", "[9]"), 0);
    EXPECT_EQ(results_.AddLink("https://img.test/i?ct=2", "x"), 0);
    for (int n = 0; n < 50; ++n) {
        EXPECT_EQ(results_.AddLink("http://img.test/i?z=1", "[1]"), 1);
    }
    EXPECT_EQ(results_.AddLink("http://img.test/i?z=1", "[1]"), 0);
    EXPECT_EQ(results_.m_nPageCount, 50);

    results_.m_strKeyword = "kept";
    results_.Reset();
    EXPECT_EQ(results_.m_nImageCount, 0);
    EXPECT_EQ(results_.m_nPageCount, 0);
    EXPECT_TRUE(results_.m_imageLinks[49].url.IsEmpty());
    EXPECT_EQ(results_.m_strKeyword, "kept");
}

// The list is a local page that may send commands: nothing the user typed or an outside page
// sent may bring markup or script into it.
TEST_F(ImageSearchResultsTest, KeywordsAddressesAndLinkTextsCannotBringMarkupIntoTheList) {
    results_.m_strKeyword = "<script>x()</script>\"'&";
    results_.AddLink(
        Picture(1) + "\"><script>y()</script>",
        "<a onmouseover=z()><img alt=a src='p.jpg?a=1&b=\"2'></a><script>w()</script>");
    results_.AddLink(Picture(2), "<b onclick=v()>plain</b>");
    CString out;
    results_.RenderHtml(out);
    const std::string html(out.view());
    EXPECT_THAT(html, Not(HasSubstr("x()</script>")));
    EXPECT_THAT(html, Not(HasSubstr("<script>y()")));
    EXPECT_THAT(html, Not(HasSubstr("w()")));
    EXPECT_THAT(html, Not(HasSubstr("<b onclick")));
    EXPECT_THAT(html, HasSubstr("<b>&lt;script&gt;x()&lt;/script&gt;&quot;&#39;&amp;</b>"));
    EXPECT_THAT(html, HasSubstr("<img src=\"p.jpg?a=1&amp;b=&quot;2\">"));
    EXPECT_THAT(html, HasSubstr("&lt;b onclick=v()&gt;plain&lt;/b&gt;"));
}

TEST_F(ImageSearchResultsTest, TheServiceAddressesCarryTheKeywordUnchanged) {
    EXPECT_EQ(CImageSearchResults::FirstResultPage("a b"),
              "http://img.test/i?tn=baiduimage&ct=201326592&cl=2&lm=-1&pv=&word=a b");
    EXPECT_EQ(CImageSearchResults::CompanionPage("猫"),
              "http://web.test/click/search.htm?m=glintora&fw=union&s=2&p=1006&name=猫");
}

}  // namespace
