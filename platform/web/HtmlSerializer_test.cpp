#include "platform/web/HtmlSerializer.h"

#include <gtest/gtest.h>

#include "platform/web/HtmlDocument.h"
#include "platform/web/HtmlParser.h"

namespace platform::web {
namespace {

std::string BodyHtml(std::string_view markup) {
    HtmlDocument document;
    document.Load(markup, "about:blank");
    return InnerHtml(*document.Body());
}

TEST(HtmlSerializerTest, MarkupIsWrittenBackInCanonicalForm) {
    EXPECT_EQ(BodyHtml("<A HREF=x.htm Title='a\"b&c'>t</A>"),
              "<a href=\"x.htm\" title=\"a&quot;b&amp;c\">t</a>");
    EXPECT_EQ(BodyHtml("<img src=a.gif><br/><hr><input value=1>"),
              "<img src=\"a.gif\"><br><hr><input value=\"1\">");
    EXPECT_EQ(BodyHtml("a &lt; b &amp;&nbsp;c > d"), "a &lt; b &amp;&nbsp;c &gt; d");
    EXPECT_EQ(BodyHtml("x<script>if (a < b && c) x='</b>';</script>"),
              "x<script>if (a < b && c) x='</b>';</script>");
    EXPECT_EQ(BodyHtml("x<!-- note --><p>x"), "x<!-- note --><p>x</p>");
    EXPECT_EQ(BodyHtml("<pre>\n\nline</pre>"), "<pre>\n\nline</pre>");
    EXPECT_EQ(BodyHtml("<div b=2 a=1 b=3>"), "<div b=\"2\" a=\"1\"></div>");
}

TEST(HtmlSerializerTest, SerialisedMarkupParsesToTheSameTree) {
    const char* pages[] = {
        "<div onclick=play(this) url=\"U|||||K&amp;&quot;\"><img src=t.jpg>名字</div>",
        "<table><tr><td>1<td>2</table><ul><li>a<li>b</ul>",
        "<p>unclosed <b>bold <i>both</b> italic</i>",
        "<select><option selected>x</option></select><textarea>\n a&b</textarea>",
    };
    for (const char* page : pages) {
        std::string once = BodyHtml(page);
        EXPECT_EQ(BodyHtml(once), once) << page;
    }
}

TEST(HtmlSerializerTest, OuterHtmlIncludesTheElementAndEntitiesDecodeInAttributes) {
    auto nodes = ParseHtmlFragment("<object id=o data=\"a&amp;b\"><param name=p></object>", "body");
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0]->Attribute("data"), "a&b");
    EXPECT_EQ(OuterHtml(*nodes[0]),
              "<object id=\"o\" data=\"a&amp;b\"><param name=\"p\"></object>");
}

TEST(HtmlSerializerTest, InnerTextCollapsesSpaceAndBreaksBlocks) {
    HtmlDocument document;
    document.Load(
        "<div>  one\n two </div><p>three<br>four</p><script>no()</script><span>five</span> six",
        "about:blank");
    EXPECT_EQ(InnerText(*document.Body()), "one two\r\nthree\r\nfour\r\nfive six");
}

TEST(HtmlSerializerTest, FragmentsParseInTheirContext) {
    auto rows = ParseHtmlFragment("<tr><td>x</td></tr>", "tbody");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]->tag(), "tr");
    auto text = ParseHtmlFragment("a<b>c", "unknown-tag");
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(OuterHtml(*text[1]), "<b>c</b>");
    EXPECT_TRUE(ParseHtmlFragment("", "div").empty());
}

}  // namespace
}  // namespace platform::web
