#include "platform/web/HtmlDocument.h"

#include <gtest/gtest.h>

#include "platform/web/HtmlSerializer.h"

namespace platform::web {
namespace {

std::vector<std::string> Tags(const std::vector<HtmlNode*>& nodes) {
    std::vector<std::string> tags;
    for (const HtmlNode* node : nodes) {
        tags.push_back(node->tag());
    }
    return tags;
}

TEST(HtmlDocumentTest, AllListsEveryElementInDocumentOrderStartingWithHtml) {
    HtmlDocument document;
    document.Load("<title>T</title><p id=a>x<b>y</b></p><!--c--><img src=i.gif>", "about:blank");
    EXPECT_EQ(Tags(document.All()),
              (std::vector<std::string>{"html", "head", "title", "body", "p", "b", "img"}));
    EXPECT_EQ(document.Body()->tag(), "body");
    EXPECT_EQ(document.Head()->tag(), "head");
    EXPECT_EQ(document.GetElementById("a")->tag(), "p");
    EXPECT_EQ(document.GetElementById("missing"), nullptr);
    EXPECT_EQ(Tags(document.GetElementsByTagName("B")), std::vector<std::string>{"b"});
    EXPECT_EQ(document.GetElementsByTagName("*").size(), 7u);
}

TEST(HtmlDocumentTest, LinksImagesAndAnchorsResolveAgainstThePageInDocumentOrder) {
    HtmlDocument document;
    document.Load(
        "<a href='x.htm'>1</a><a name=top>2</a><img src='../img/a.gif'>"
        "<map><area href='/root.htm'></map><a href='http://h.example/p?q=1'>3</a>"
        "<img src='sub\\b.png'><a>no href</a>",
        "C:\\prog\\data\\main.htm");
    EXPECT_EQ(document.address(), "file:///C:/prog/data/main.htm");
    std::vector<std::string> links;
    for (HtmlNode* link : document.Links()) {
        links.push_back(document.Href(*link));
    }
    EXPECT_EQ(links, (std::vector<std::string>{"file:///C:/prog/data/x.htm", "file:///C:/root.htm",
                                               "http://h.example/p?q=1"}));
    std::vector<std::string> images;
    for (HtmlNode* image : document.Images()) {
        images.push_back(document.Src(*image));
    }
    EXPECT_EQ(images, (std::vector<std::string>{"file:///C:/prog/img/a.gif",
                                                "file:///C:/prog/data/sub/b.png"}));
    ASSERT_EQ(document.Anchors().size(), 1u);
    EXPECT_EQ(document.Anchors()[0]->Attribute("name"), "top");
}

TEST(HtmlDocumentTest, BaseElementChangesTheResolution) {
    HtmlDocument document;
    document.Load("<base href='http://h.example/dir/'><a href='p.htm'>", "file:///C:/a.htm");
    EXPECT_EQ(document.BaseAddress(), "http://h.example/dir/");
    EXPECT_EQ(document.Href(*document.Links()[0]), "http://h.example/dir/p.htm");
}

TEST(HtmlDocumentTest, TitleReadsCollapsedAndWritesIntoTheHead) {
    HtmlDocument document;
    document.Load("<title>  A \n  B </title>", "about:blank");
    EXPECT_EQ(document.Title(), "A B");
    document.SetTitle("New");
    EXPECT_EQ(document.Title(), "New");

    HtmlDocument untitled;
    EXPECT_EQ(untitled.Title(), "");
    untitled.SetTitle("Made");
    EXPECT_EQ(OuterHtml(*untitled.Head()), "<head><title>Made</title></head>");
}

TEST(HtmlDocumentTest, InnerHtmlEditsFreeOldNodesAndParseInContext) {
    HtmlDocument document;
    document.Load("<div id=d><span id=s>old</span></div><table id=t></table>", "about:blank");
    HtmlNode* span = document.GetElementById("s");
    uint64_t spanSerial = span->serial();
    EXPECT_EQ(document.FindNode(spanSerial), span);
    HtmlNode* div = document.GetElementById("d");
    document.SetInnerHtml(*div, "<br>");
    EXPECT_EQ(document.FindNode(spanSerial), nullptr);
    EXPECT_EQ(InnerHtml(*div), "<br>");
    document.SetInnerHtml(*document.Body(), "<p>a<p>b");
    EXPECT_EQ(InnerHtml(*document.Body()), "<p>a</p><p>b</p>");
    document.SetInnerText(*document.Body(), "1 < 2\r\nnext");
    EXPECT_EQ(InnerHtml(*document.Body()), "1 &lt; 2<br>next");
    EXPECT_EQ(InnerText(*document.Body()), "1 < 2\r\nnext");
}

TEST(HtmlDocumentTest, NodesStayFoundThroughManyEdits) {
    HtmlDocument document;
    document.Load("<title>t</title><div id=d></div><p id=p>p</p>", "about:blank");
    HtmlNode* title = document.GetElementsByTagName("title")[0];
    HtmlNode* p = document.GetElementById("p");
    const uint64_t pSerial = p->serial();
    HtmlNode* div = document.GetElementById("d");
    std::vector<uint64_t> removed;
    // Each round frees the nodes of the last, so removed entries pile up past half the index.
    for (int round = 0; round < 50; ++round) {
        for (const auto& child : div->children()) {
            removed.push_back(child->serial());
        }
        document.SetInnerHtml(*div, "<b>" + std::to_string(round) + "</b><i>x</i>");
        document.SetTitle("round " + std::to_string(round));
        ASSERT_EQ(document.FindNode(div->children()[0]->serial()), div->children()[0].get());
        ASSERT_EQ(document.FindNode(div->children()[1]->children()[0]->serial()),
                  div->children()[1]->children()[0].get());
    }
    for (uint64_t serial : removed) {
        EXPECT_EQ(document.FindNode(serial), nullptr);
    }
    EXPECT_EQ(document.FindNode(pSerial), p);
    EXPECT_EQ(document.FindNode(title->serial()), title);
    EXPECT_EQ(document.FindNode(title->children()[0]->serial()), title->children()[0].get());
    EXPECT_EQ(document.Title(), "round 49");
    EXPECT_EQ(document.FindNode(0), nullptr);
}

TEST(HtmlDocumentTest, MarkupInsertedAfterANodeKeepsOrder) {
    HtmlDocument document;
    document.Load("<p>a</p><script id=s>x</script><p>z</p>", "about:blank");
    HtmlNode* first = document.InsertMarkupAfter(*document.GetElementById("s"), "<b>1</b>2");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->tag(), "b");
    EXPECT_EQ(InnerHtml(*document.Body()), "<p>a</p><script id=\"s\">x</script><b>1</b>2<p>z</p>");
    document.AppendMarkupToBody("<i>end</i>");
    EXPECT_TRUE(InnerHtml(*document.Body()).ends_with("<p>z</p><i>end</i>"));
}

TEST(HtmlDocumentTest, EmptyAndHostileInputStillGiveAWholeDocument) {
    HtmlDocument document;
    EXPECT_EQ(document.address(), "about:blank");
    EXPECT_NE(document.Body(), nullptr);
    std::string deep;
    for (int i = 0; i < 5000; ++i) {
        deep += "<div>";
    }
    deep += std::string("\0\xFF<a href=\"\x80", 7);
    document.Load(deep, "");
    EXPECT_EQ(document.address(), "about:blank");
    EXPECT_EQ(document.GetElementsByTagName("div").size(), 5000u);
    EXPECT_FALSE(OuterHtml(document.root()).empty());
}

TEST(HtmlDocumentTest, MarkupWrittenFromTheHeadOpensTheBody) {
    HtmlDocument document;
    document.Load("<head><script id=s1></script><script id=s2></script></head><p>page</p>",
                  "about:blank");
    document.InsertMarkupAfter(*document.GetElementById("s1"), "<meta name=m><b>1</b>2");
    document.InsertMarkupAfter(*document.GetElementById("s2"), "<style></style><i>3</i>");
    EXPECT_EQ(InnerHtml(*document.Head()),
              "<script id=\"s1\"></script><meta name=\"m\"><script id=\"s2\"></script>"
              "<style></style>");
    EXPECT_EQ(InnerHtml(*document.Body()), "<b>1</b>2<i>3</i><p>page</p>");
}

}  // namespace
}  // namespace platform::web
