#include "platform/web/HtmlDocument.h"

#include <algorithm>

#include "platform/web/HtmlParser.h"
#include "platform/web/PageCharset.h"
#include "platform/web/WebAddress.h"

namespace platform::web {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::string TextContent(const HtmlNode& node) {
    std::string text;
    for (const HtmlNode* at = &node; at != nullptr; at = at->Next(&node)) {
        if (at->kind() == HtmlNode::Kind::Text) {
            text += at->text();
        }
    }
    return text;
}

bool BelongsInHead(const HtmlNode& node) {
    switch (node.kind()) {
        case HtmlNode::Kind::Comment:
            return true;
        case HtmlNode::Kind::Text:
            return node.text().find_first_not_of(" \t\n\r\f") == std::string::npos;
        case HtmlNode::Kind::Element: {
            const std::string& tag = node.tag();
            return tag == "meta" || tag == "link" || tag == "script" || tag == "style" ||
                   tag == "title" || tag == "base";
        }
        case HtmlNode::Kind::Document:
            break;
    }
    return false;
}

// The entry for `serial` in an index sorted by serial, or where it would go.
template <typename Index>
auto EntryOf(Index& index, uint64_t serial) {
    return std::lower_bound(index.begin(), index.end(), serial,
                            [](const auto& entry, uint64_t key) { return entry.first < key; });
}

}  // namespace

HtmlDocument::HtmlDocument() : charset_(kDefaultCharset) {
    Load("", "about:blank");
}

void HtmlDocument::Load(std::string_view utf8, std::string_view address) {
    root_ = ParseHtmlDocument(utf8);
    address_ = CanonicalAddress(address);
    if (address_.empty()) {
        address_ = "about:blank";
    }
    index_.clear();
    removedFromIndex_ = 0;
    // Sized at once: a large page's index, grown step by step, would touch twice its memory.
    size_t nodes = 0;
    for (const HtmlNode* node = root_.get(); node != nullptr; node = node->Next(root_.get())) {
        ++nodes;
    }
    index_.reserve(nodes);
    Indexed(*root_);
    headWritesInBody_ = 0;
}

void HtmlDocument::Indexed(HtmlNode& subtree) {
    for (HtmlNode* node = &subtree; node != nullptr; node = node->Next(&subtree)) {
        // Nodes get their serials as they are made, and a parse makes them in document order,
        // so nearly every node added goes at the end.
        const uint64_t serial = node->serial();
        if (index_.empty() || index_.back().first < serial) {
            index_.emplace_back(serial, node);
            continue;
        }
        auto at = EntryOf(index_, serial);
        if (at != index_.end() && at->first == serial) {
            removedFromIndex_ -= at->second == nullptr ? 1 : 0;
            at->second = node;
        } else {
            index_.emplace(at, serial, node);
        }
    }
}

void HtmlDocument::Unindexed(const HtmlNode& subtree) {
    for (const HtmlNode* node = &subtree; node != nullptr; node = node->Next(&subtree)) {
        auto at = EntryOf(index_, node->serial());
        if (at != index_.end() && at->first == node->serial() && at->second != nullptr) {
            at->second = nullptr;
            ++removedFromIndex_;
        }
    }
    // Entries of removed nodes stay until they are half the index, so that a page replacing its
    // content again and again neither grows the index for ever nor rewrites it at every edit.
    if (removedFromIndex_ > index_.size() / 2) {
        std::erase_if(index_, [](const auto& entry) { return entry.second == nullptr; });
        removedFromIndex_ = 0;
    }
}

template <typename Predicate>
std::vector<HtmlNode*> HtmlDocument::Collect(Predicate predicate) const {
    std::vector<HtmlNode*> found;
    for (HtmlNode* node = root_.get(); node != nullptr; node = node->Next(root_.get())) {
        if (node->IsElement() && predicate(*node)) {
            found.push_back(node);
        }
    }
    return found;
}

HtmlNode* HtmlDocument::FirstElement(std::string_view tag) const {
    for (HtmlNode* node = root_.get(); node != nullptr; node = node->Next(root_.get())) {
        if (node->Is(tag)) {
            return node;
        }
    }
    return nullptr;
}

std::string HtmlDocument::BaseAddress() const {
    for (HtmlNode* node = root_.get(); node != nullptr; node = node->Next(root_.get())) {
        if (node->Is("base") && node->HasAttribute("href")) {
            return ResolveAddress(address_, node->Attribute("href"));
        }
    }
    return address_;
}

std::string HtmlDocument::Resolve(std::string_view reference) const {
    return ResolveAddress(BaseAddress(), reference);
}

HtmlNode* HtmlDocument::DocumentElement() const {
    for (const auto& child : root_->children()) {
        if (child->IsElement()) {
            return child.get();
        }
    }
    return nullptr;
}

HtmlNode* HtmlDocument::Head() const {
    HtmlNode* html = DocumentElement();
    if (html == nullptr) {
        return nullptr;
    }
    for (const auto& child : html->children()) {
        if (child->Is("head")) {
            return child.get();
        }
    }
    return nullptr;
}

HtmlNode* HtmlDocument::Body() const {
    HtmlNode* html = DocumentElement();
    if (html == nullptr) {
        return nullptr;
    }
    for (const auto& child : html->children()) {
        if (child->Is("body") || child->Is("frameset")) {
            return child.get();
        }
    }
    return nullptr;
}

std::string HtmlDocument::Title() const {
    HtmlNode* title = FirstElement("title");
    if (title == nullptr) {
        return "";
    }
    // Titles show with their white space collapsed and trimmed.
    std::string text;
    bool space = false;
    for (char c : TextContent(*title)) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            space = !text.empty();
            continue;
        }
        if (space) {
            text += ' ';
            space = false;
        }
        text += c;
    }
    return text;
}

void HtmlDocument::SetTitle(std::string_view title) {
    HtmlNode* element = FirstElement("title");
    if (element == nullptr) {
        HtmlNode* head = Head();
        if (head == nullptr) {
            return;
        }
        element = head->AppendChild(std::make_unique<HtmlNode>(HtmlNode::Kind::Element, "title"));
    }
    for (const auto& child : element->children()) {
        Unindexed(*child);
    }
    element->RemoveAllChildren();
    element->AppendChild(std::make_unique<HtmlNode>(HtmlNode::Kind::Text, std::string(title)));
    Indexed(*element);
}

std::vector<HtmlNode*> HtmlDocument::All() const {
    return Collect([](const HtmlNode&) { return true; });
}

std::vector<HtmlNode*> HtmlDocument::Images() const {
    return Collect([](const HtmlNode& node) { return node.tag() == "img"; });
}

std::vector<HtmlNode*> HtmlDocument::Links() const {
    return Collect([](const HtmlNode& node) {
        return (node.tag() == "a" || node.tag() == "area") && node.HasAttribute("href");
    });
}

std::vector<HtmlNode*> HtmlDocument::Anchors() const {
    return Collect(
        [](const HtmlNode& node) { return node.tag() == "a" && node.HasAttribute("name"); });
}

std::vector<HtmlNode*> HtmlDocument::Forms() const {
    return Collect([](const HtmlNode& node) { return node.tag() == "form"; });
}

std::vector<HtmlNode*> HtmlDocument::FrameElements() const {
    return Collect(
        [](const HtmlNode& node) { return node.tag() == "frame" || node.tag() == "iframe"; });
}

std::vector<HtmlNode*> HtmlDocument::GetElementsByTagName(std::string_view tag) const {
    if (tag == "*") {
        return All();
    }
    return Collect([tag](const HtmlNode& node) { return EqualNoCase(node.tag(), tag); });
}

HtmlNode* HtmlDocument::GetElementById(std::string_view id) const {
    for (HtmlNode* node = root_.get(); node != nullptr; node = node->Next(root_.get())) {
        const std::string* value = node->IsElement() ? node->FindAttribute("id") : nullptr;
        if (value != nullptr && *value == id) {
            return node;
        }
    }
    return nullptr;
}

std::string HtmlDocument::Href(const HtmlNode& element) const {
    const std::string* href = element.FindAttribute("href");
    return href != nullptr ? Resolve(*href) : std::string();
}

std::string HtmlDocument::Src(const HtmlNode& element) const {
    const std::string* src = element.FindAttribute("src");
    return src != nullptr ? Resolve(*src) : std::string();
}

void HtmlDocument::SetInnerHtml(HtmlNode& element, std::string_view utf8) {
    for (const auto& child : element.children()) {
        Unindexed(*child);
    }
    element.RemoveAllChildren();
    for (auto& node : ParseHtmlFragment(utf8, element.tag())) {
        Indexed(*element.AppendChild(std::move(node)));
    }
}

void HtmlDocument::SetInnerText(HtmlNode& element, std::string_view utf8) {
    for (const auto& child : element.children()) {
        Unindexed(*child);
    }
    element.RemoveAllChildren();
    // Line breaks in the text become <br>, as they do in the browser.
    size_t start = 0;
    while (start <= utf8.size()) {
        size_t end = utf8.find_first_of("\r\n", start);
        std::string_view line =
            utf8.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty()) {
            element.AppendChild(
                std::make_unique<HtmlNode>(HtmlNode::Kind::Text, std::string(line)));
        }
        if (end == std::string_view::npos) {
            break;
        }
        element.AppendChild(std::make_unique<HtmlNode>(HtmlNode::Kind::Element, "br"));
        start = end + (utf8.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    for (const auto& child : element.children()) {
        Indexed(*child);
    }
}

HtmlNode* HtmlDocument::InsertMarkupAfter(HtmlNode& after, std::string_view utf8) {
    HtmlNode* parent = after.parent();
    if (parent == nullptr) {
        return nullptr;
    }
    HtmlNode* body = Body();
    bool inHead = parent == Head() && body != nullptr;
    std::string context = inHead || !parent->IsElement() ? "body" : parent->tag();
    size_t index = parent->IndexOf(&after) + 1;
    HtmlNode* first = nullptr;
    for (auto& node : ParseHtmlFragment(utf8, context)) {
        // Written from the head, head content stays there; the first other content ends the
        // head, so it and all that follows go to the start of the body, after earlier such
        // writes.
        if (inHead && !BelongsInHead(*node)) {
            parent = body;
            index = std::min(headWritesInBody_, body->children().size());
            inHead = false;
        }
        HtmlNode* inserted = parent->InsertChild(index++, std::move(node));
        if (parent == body) {
            headWritesInBody_ = index;
        }
        Indexed(*inserted);
        if (first == nullptr) {
            first = inserted;
        }
    }
    return first;
}

HtmlNode* HtmlDocument::AppendMarkupToBody(std::string_view utf8) {
    HtmlNode* body = Body();
    if (body == nullptr) {
        return nullptr;
    }
    HtmlNode* first = nullptr;
    for (auto& node : ParseHtmlFragment(utf8, body->tag())) {
        HtmlNode* inserted = body->AppendChild(std::move(node));
        Indexed(*inserted);
        if (first == nullptr) {
            first = inserted;
        }
    }
    return first;
}

HtmlNode* HtmlDocument::FindNode(uint64_t serial) const {
    auto at = EntryOf(index_, serial);
    return at != index_.end() && at->first == serial ? at->second : nullptr;
}

}  // namespace platform::web
