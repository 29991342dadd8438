#include "platform/web/HtmlNode.h"

#include <gtest/gtest.h>

namespace platform::web {
namespace {

std::unique_ptr<HtmlNode> Element(const char* tag) {
    return std::make_unique<HtmlNode>(HtmlNode::Kind::Element, tag);
}

std::string Order(HtmlNode& root) {
    std::string order;
    for (HtmlNode* node = &root; node != nullptr; node = node->Next(&root)) {
        order += node->IsElement() ? node->tag() : "'" + node->text() + "'";
        order += ' ';
    }
    return order;
}

TEST(HtmlNodeTest, EditsKeepDocumentOrderAndPositions) {
    HtmlNode root(HtmlNode::Kind::Document, "");
    HtmlNode* a = root.AppendChild(Element("a"));
    HtmlNode* c = root.AppendChild(Element("c"));
    a->AppendChild(std::make_unique<HtmlNode>(HtmlNode::Kind::Text, "t"));
    HtmlNode* b = root.InsertChild(1, Element("b"));
    root.InsertChild(99, Element("z"));
    EXPECT_EQ(Order(root), "'' a 't' b c z ");
    EXPECT_EQ(root.IndexOf(b), 1u);
    EXPECT_EQ(root.IndexOf(c), 2u);
    EXPECT_EQ(root.IndexOf(a->children()[0].get()), 4u);
    EXPECT_EQ(a->Next(a)->text(), "t");
    EXPECT_EQ(a->children()[0]->Next(a), nullptr);
    EXPECT_TRUE(root.Contains(a->children()[0].get()));
    EXPECT_FALSE(a->Contains(c));
    EXPECT_EQ(a->children()[0]->ParentElement(), a);
    EXPECT_EQ(a->ParentElement(), nullptr);

    std::unique_ptr<HtmlNode> removed = root.RemoveChild(0);
    EXPECT_EQ(removed.get(), a);
    EXPECT_EQ(a->parent(), nullptr);
    EXPECT_EQ(root.IndexOf(c), 1u);
    EXPECT_EQ(root.IndexOf(a), 3u);
    EXPECT_EQ(root.RemoveChild(3), nullptr);
    EXPECT_EQ(Order(root), "'' b c z ");
}

TEST(HtmlNodeTest, AttributesKeepSourceOrderAndReplaceInPlace) {
    HtmlNode node(HtmlNode::Kind::Element, "div");
    node.SetAttribute("id", "x");
    node.SetAttribute("url", "u");
    node.SetAttribute("id", "y");
    ASSERT_EQ(node.attributes().size(), 2u);
    EXPECT_EQ(node.attributes()[0], (std::pair<std::string, std::string>{"id", "y"}));
    EXPECT_EQ(node.Attribute("url"), "u");
    EXPECT_EQ(node.Attribute("none"), "");
    EXPECT_EQ(node.FindAttribute("none"), nullptr);
    node.RemoveAttribute("id");
    node.RemoveAttribute("id");
    EXPECT_FALSE(node.HasAttribute("id"));
    EXPECT_NE(HtmlNode(HtmlNode::Kind::Text, "").serial(), node.serial());
}

TEST(HtmlNodeTest, VeryDeepTreesAreFreedWithoutRecursion) {
    auto root = Element("div");
    HtmlNode* leaf = root.get();
    for (int i = 0; i < 200000; ++i) {
        leaf = leaf->AppendChild(Element("div"));
    }
    root.reset();
    SUCCEED();
}

}  // namespace
}  // namespace platform::web
