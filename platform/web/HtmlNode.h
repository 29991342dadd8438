// One node of a page's document tree. Text is UTF-8 throughout the tree; conversion to the
// programs' GBK or to automation strings happens at the document's interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::web {

class HtmlNode {
public:
    enum class Kind { Document, Element, Text, Comment };

    HtmlNode(Kind kind, std::string nameOrText);
    ~HtmlNode();
    HtmlNode(const HtmlNode&) = delete;
    HtmlNode& operator=(const HtmlNode&) = delete;
    // Nodes live in a pool of their own (NodePool.h): a large page has a million of them.
    static void* operator new(size_t size);
    static void operator delete(void* node, size_t size);

    Kind kind() const { return kind_; }
    bool IsElement() const { return kind_ == Kind::Element; }
    // Lower-case tag name of an element; empty for other kinds.
    const std::string& tag() const { return IsElement() ? nameOrText_ : Empty(); }
    bool Is(std::string_view tag) const { return IsElement() && nameOrText_ == tag; }
    // Character data of a text or comment node; empty for other kinds.
    const std::string& text() const { return IsElement() ? Empty() : nameOrText_; }

    // Attributes in source order; names are lower case.
    using Attributes = std::vector<std::pair<std::string, std::string>>;
    const Attributes& attributes() const { return attributes_ ? *attributes_ : NoAttributes(); }
    const std::string* FindAttribute(std::string_view name) const;
    std::string Attribute(std::string_view name) const;
    bool HasAttribute(std::string_view name) const { return FindAttribute(name) != nullptr; }
    // Replaces the value of an existing attribute in place or appends a new one.
    void SetAttribute(std::string_view name, std::string value);
    void RemoveAttribute(std::string_view name);

    HtmlNode* parent() const { return parent_; }
    const std::vector<std::unique_ptr<HtmlNode>>& children() const { return children_; }
    HtmlNode* AppendChild(std::unique_ptr<HtmlNode> child);
    HtmlNode* InsertChild(size_t index, std::unique_ptr<HtmlNode> child);
    std::unique_ptr<HtmlNode> RemoveChild(size_t index);
    void RemoveAllChildren();
    // Index of `child` among the children; children().size() when it is not one.
    size_t IndexOf(const HtmlNode* child) const;

    // The next node in document order (pre-order), staying inside `root`'s subtree.
    const HtmlNode* Next(const HtmlNode* root) const;
    HtmlNode* Next(const HtmlNode* root);
    // The element's closest element ancestor.
    HtmlNode* ParentElement() const;
    bool Contains(const HtmlNode* other) const;

    // Unique within the process for the node's lifetime, so that script objects can refer to
    // nodes weakly (a node may go away while a script still holds its object).
    uint64_t serial() const { return serial_; }

private:
    static const std::string& Empty();
    static const Attributes& NoAttributes();

    Kind kind_;
    // The tag name of an element or the character data of another node: a node has only one.
    std::string nameOrText_;
    // Most nodes have no attributes, so the list is made with the first (a smaller node costs
    // less memory on a large page).
    std::unique_ptr<Attributes> attributes_;
    std::vector<std::unique_ptr<HtmlNode>> children_;
    HtmlNode* parent_ = nullptr;
    // Position among the parent's children, kept current so that walking the tree in document
    // order costs the same for wide trees as for deep ones.
    size_t indexInParent_ = 0;
    uint64_t serial_;
};

}  // namespace platform::web
