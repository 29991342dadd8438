#include "platform/web/MarkupLimits.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/web/HtmlDocument.h"
#include "platform/web/HtmlParser.h"

namespace platform::web {
namespace {

size_t DepthOf(const HtmlNode& node) {
    size_t depth = 0;
    for (const HtmlNode* at = &node; at->parent() != nullptr; at = at->parent()) {
        ++depth;
    }
    return depth;
}

std::string Repeat(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += unit;
    }
    return text;
}

// Ordinary pages, sloppy ones included, reach the parser exactly as written: tags inside
// comments, scripts, quoted values and character data are no tags.
TEST(MarkupLimitsTest, MarkupWithinTheLimitsPassesUnchanged) {
    const std::string page =
        "<!DOCTYPE html><html><head><title>a <b> title</title>"
        "<script>document.write('<div>' + '</scr' + 'ipt>'); if (a < b) {}</script>"
        "<style>p > b { }</style></head><body onload=\"go('<div>')\">"
        "<!-- <div><div> --><!--><!---><p title='x > y' class=a/b>text<p>more"
        "<ul><li>one<li>two</ul><table><tr><td>1<td>2<tr><td>3</table>"
        "<svg><![CDATA[ <div> ]]><path d=\"M0 0\"/></svg><textarea><b></textarea>"
        "<div><font color=red>left open</div>" +
        Repeat("<div>", 400) + "deep" + Repeat("</div>", 400) + Repeat("<p>x", 1000) +
        "<a href=x>1<a href=y>2</a></body></html><plaintext><div><div>";
    EXPECT_EQ(LimitMarkup(page), page);
}

// Past the depth limit each element is attached at that depth, beside the one before it:
// nothing of the page is lost.
TEST(MarkupLimitsTest, DeepNestingIsAttachedAtTheLimitingDepth) {
    HtmlDocument document;
    document.Load(Repeat("<div><p>x</p>", 2000) + "<span id=last>end</span>", "");
    const std::vector<HtmlNode*> divs = document.GetElementsByTagName("div");
    ASSERT_EQ(divs.size(), 2000u);
    EXPECT_EQ(document.GetElementsByTagName("p").size(), 2000u);
    EXPECT_EQ(DepthOf(*divs[0]), 3u);
    EXPECT_EQ(DepthOf(*divs[400]), 403u);
    EXPECT_EQ(DepthOf(*divs[1000]), DepthOf(*divs[1999]));
    EXPECT_LE(DepthOf(*divs[1999]), kMaxTreeDepth);
    EXPECT_EQ(divs[1000]->parent(), divs[1999]->parent());
    const HtmlNode* last = document.GetElementById("last");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->parent(), divs[1999]->parent());
}

TEST(MarkupLimitsTest, AttributesPastTheLimitAreDropped) {
    std::string start = "<a";
    std::string end = "</a";
    for (int i = 0; i < 1000; ++i) {
        start += " n" + std::to_string(i) + "='" + std::to_string(i) + "'";
        end += " e" + std::to_string(i);
    }
    const std::string limited = LimitMarkup(start + ">x" + end + "><br/ b c>");
    HtmlDocument document;
    document.Load(limited, "");
    const std::vector<HtmlNode*> links = document.GetElementsByTagName("a");
    ASSERT_EQ(links.size(), 1u);
    ASSERT_EQ(links[0]->attributes().size(), kMaxAttributes);
    EXPECT_EQ(links[0]->attributes().back().first, "n255");
    EXPECT_TRUE(limited.ends_with(">x</a><br/ b c>"));
}

// An end tag that leaves formatting elements open makes the parser reopen them for what follows;
// past a limit of such kinds they are closed where they were left instead.
TEST(MarkupLimitsTest, FormattingElementsLeftOpenAreClosedPastTheLimit) {
    // The same kind left open again and again is one kind.
    const std::string same = Repeat("<div><b>x</div>", 500);
    EXPECT_EQ(LimitMarkup(same), same);

    std::string kinds;
    for (size_t i = 0; i < kMaxReopenedFormatting + 2; ++i) {
        kinds += "<div><b id=" + std::to_string(i) + ">x</div>";
    }
    const std::string limited = LimitMarkup(kinds);
    EXPECT_EQ(limited.substr(0, kinds.size() - 40), kinds.substr(0, kinds.size() - 40));
    EXPECT_TRUE(limited.ends_with("<div><b id=65>x</b></div>"));
    // Its own end tag ends a kind's reopening.
    const std::string after = "<div><b id=x>y</div>";
    EXPECT_TRUE(LimitMarkup(kinds + "</b>" + after).ends_with("</b>" + after));
}

}  // namespace
}  // namespace platform::web
