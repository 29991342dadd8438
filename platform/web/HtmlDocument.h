// A page's document: the parsed tree with the address it came from, its charset, and the
// queries and edits the browser's document interfaces offer (title, all, images, links, anchors,
// forms, frames, body, element lookup, innerHTML, addresses resolved against the base).
// Text is UTF-8; the host converts at its interface (Utf8ToGbk, Utf8ToUtf16).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/web/HtmlNode.h"

namespace platform::web {

class HtmlDocument {
public:
    // An empty about:blank document.
    HtmlDocument();

    // Replaces the whole tree by the parse of `utf8`, the page found at `address`.
    void Load(std::string_view utf8, std::string_view address);

    // The canonical address of the page ("about:blank", "file:///C:/x.htm", "http://...").
    const std::string& address() const { return address_; }
    // The address relative references resolve against: the first <base href>, else the page's.
    std::string BaseAddress() const;
    std::string Resolve(std::string_view reference) const;

    // The charset the page was decoded with, or the one the host set for the next decode.
    const std::string& charset() const { return charset_; }
    void set_charset(std::string charset) { charset_ = std::move(charset); }

    HtmlNode& root() { return *root_; }
    const HtmlNode& root() const { return *root_; }
    HtmlNode* DocumentElement() const;
    HtmlNode* Head() const;
    HtmlNode* Body() const;

    // The text of the first <title>; setting it replaces that text or adds a title to the head.
    std::string Title() const;
    void SetTitle(std::string_view title);

    // Collections in document order.
    std::vector<HtmlNode*> All() const;
    std::vector<HtmlNode*> Images() const;
    // <a> and <area> elements with an href.
    std::vector<HtmlNode*> Links() const;
    // <a> elements with a name.
    std::vector<HtmlNode*> Anchors() const;
    std::vector<HtmlNode*> Forms() const;
    // <frame> and <iframe> elements.
    std::vector<HtmlNode*> FrameElements() const;
    // Tag names compare without case; "*" matches every element.
    std::vector<HtmlNode*> GetElementsByTagName(std::string_view tag) const;
    HtmlNode* GetElementById(std::string_view id) const;

    // The element's href or src attribute as an absolute address ("" when it has none).
    std::string Href(const HtmlNode& element) const;
    std::string Src(const HtmlNode& element) const;

    // Edits that replace content. Nodes that they remove are freed.
    void SetInnerHtml(HtmlNode& element, std::string_view utf8);
    void SetInnerText(HtmlNode& element, std::string_view utf8);
    // Parses `utf8` in the context of `after`'s parent and inserts the nodes right after `after`
    // (content written from the head that does not belong there opens the body instead);
    // returns the first inserted node (null when nothing was inserted).
    HtmlNode* InsertMarkupAfter(HtmlNode& after, std::string_view utf8);
    // Appends parsed markup to the body.
    HtmlNode* AppendMarkupToBody(std::string_view utf8);

    // The live node with this serial, or null once it has been removed.
    HtmlNode* FindNode(uint64_t serial) const;

private:
    template <typename Predicate>
    std::vector<HtmlNode*> Collect(Predicate predicate) const;
    HtmlNode* FirstElement(std::string_view tag) const;
    // Keeps the serial index in step with an edit: nodes of `subtree` come or go.
    void Indexed(HtmlNode& subtree);
    void Unindexed(const HtmlNode& subtree);

    std::unique_ptr<HtmlNode> root_;
    std::string address_ = "about:blank";
    std::string charset_;
    // The live nodes by serial, in ascending order; a removed node's entry holds null until
    // the entries are compacted.
    std::vector<std::pair<uint64_t, HtmlNode*>> index_;
    size_t removedFromIndex_ = 0;
    // Where the next write from the head goes into the body.
    size_t headWritesInBody_ = 0;
};

}  // namespace platform::web
