#include "platform/web/BlockLayout.h"

#include <gtest/gtest.h>

namespace platform::web {
namespace {

class BlockLayoutTest : public ::testing::Test {
protected:
    void Lay(std::string_view markup, int width = 200) {
        document.Load(markup, "about:blank");
        layout.Update(document, width);
    }
    std::optional<LayoutBox> Box(const char* id) {
        return layout.BoxOf(*document.GetElementById(id));
    }
    std::string HitId(int x, int y) {
        HtmlNode* node = document.FindNode(layout.HitTest(x, y));
        return node == nullptr ? "-" : node->tag() + "#" + node->Attribute("id");
    }

    HtmlDocument document;
    BlockLayout layout;
};

TEST_F(BlockLayoutTest, BlocksStackAndInlineContentFlowsAlongLines) {
    Lay("<div id=d1>ab</div><a id=a href=x>link</a> <img id=i width=20 height=40>"
        "<p id=p>x<br>y</p><img id=big width=150><img id=wrap width=100>");
    EXPECT_EQ(Box("d1"), (LayoutBox{0, 0, 200, 16}));
    EXPECT_EQ(Box("a"), (LayoutBox{0, 16, 32, 32}));
    // One space after the link, then the image, which makes its line 40 high.
    EXPECT_EQ(Box("i"), (LayoutBox{40, 16, 60, 56}));
    EXPECT_EQ(Box("p"), (LayoutBox{0, 56, 200, 88}));
    EXPECT_EQ(Box("big"), (LayoutBox{0, 88, 150, 120}));
    EXPECT_EQ(Box("wrap"), (LayoutBox{0, 120, 100, 152}));
}

TEST_F(BlockLayoutTest, HitTestFindsTheInnermostElement) {
    Lay("<div id=outer><a id=a href=x><img id=pic></a> text</div><p id=p>\xE4\xB8\xAD</p>");
    EXPECT_EQ(HitId(5, 5), "img#pic");
    EXPECT_EQ(HitId(40, 5), "div#outer");
    EXPECT_EQ(HitId(199, 31), "div#outer");
    EXPECT_EQ(HitId(15, 40), "p#p");
    EXPECT_EQ(Box("p"), (LayoutBox{0, 32, 200, 48}));
    EXPECT_EQ(HitId(100, 400), "body#");
    EXPECT_EQ(HitId(-1, 5), "-");
}

TEST_F(BlockLayoutTest, HiddenAndEmptyElementsHaveNoBox) {
    Lay("<p id=p>x</p><span id=empty></span><script id=s>var x</script>"
        "<input id=h type=hidden><img id=bad width=-5 height=abc>");
    EXPECT_FALSE(Box("empty").has_value());
    EXPECT_FALSE(Box("s").has_value());
    EXPECT_FALSE(Box("h").has_value());
    EXPECT_EQ(Box("bad"), (LayoutBox{0, 16, 32, 48}));
}

TEST_F(BlockLayoutTest, BoxesOfMarkupInsertedAmongOlderElements) {
    // Written markup gets newer nodes than those after it, so boxes are no longer in the order
    // the nodes were made.
    Lay("<p id=first>a</p><p id=last>b</p>");
    document.InsertMarkupAfter(*document.GetElementById("first"),
                               "<div id=new1>c</div><span id=new2>dd</span>");
    layout.Update(document, 200);
    EXPECT_EQ(Box("first"), (LayoutBox{0, 0, 200, 16}));
    EXPECT_EQ(Box("new1"), (LayoutBox{0, 16, 200, 32}));
    EXPECT_EQ(Box("new2"), (LayoutBox{0, 32, 16, 48}));
    EXPECT_EQ(Box("last"), (LayoutBox{0, 48, 200, 64}));
    EXPECT_EQ(HitId(5, 40), "span#new2");
    HtmlNode detached(HtmlNode::Kind::Element, "p");
    EXPECT_FALSE(layout.BoxOf(detached).has_value());
}

TEST_F(BlockLayoutTest, TextSizeStepsScaleTextButNotImages) {
    // Smallest to largest: lines 11, 13, 16, 18 and 24 high, narrow characters 6, 7, 8, 9, 12
    // wide; "ab", a gap and one wide character make 3 narrow widths and a line height.
    const int heights[] = {11, 13, 16, 18, 24};
    const int spans[] = {29, 34, 40, 45, 60};
    for (int step = 0; step <= 4; ++step) {
        layout.SetTextSize(step);
        Lay("<p><span id=s>ab \xE4\xB8\xAD</span></p><div id=d><img id=i width=20 "
            "height=12></div>");
        const int line = heights[step];
        EXPECT_EQ(Box("s"), (LayoutBox{0, 0, spans[step], line})) << step;
        // The image keeps its size, and its line is as high as the image or the text.
        EXPECT_EQ(Box("i"), (LayoutBox{0, line, 20, line + 12})) << step;
        EXPECT_EQ(Box("d"), (LayoutBox{0, line, 200, line + std::max(12, line)})) << step;
    }
    EXPECT_EQ(BlockLayout::MetricsOf(-3).lineHeight, 11);
    EXPECT_EQ(BlockLayout::MetricsOf(9).lineHeight, 24);
}

}  // namespace
}  // namespace platform::web
