#include "platform/web/HtmlSerializer.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace platform::web {

namespace {

bool IsOneOf(std::string_view tag, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        if (tag == name) {
            return true;
        }
    }
    return false;
}

bool HoldsRawText(const HtmlNode* parent) {
    return parent != nullptr && parent->IsElement() &&
           IsOneOf(parent->tag(), {"style", "script", "xmp", "iframe", "noembed", "noframes",
                                   "plaintext", "noscript"});
}

void AppendEscaped(std::string& out, std::string_view text, bool inAttribute) {
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '&') {
            out += "&amp;";
        } else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
            out += "&nbsp;";
            ++i;
        } else if (inAttribute && c == '"') {
            out += "&quot;";
        } else if (!inAttribute && c == '<') {
            out += "&lt;";
        } else if (!inAttribute && c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
}

void AppendStartTag(std::string& out, const HtmlNode& element) {
    out += '<';
    out += element.tag();
    for (const auto& [name, value] : element.attributes()) {
        out += ' ';
        out += name;
        out += "=\"";
        AppendEscaped(out, value, true);
        out += '"';
    }
    out += '>';
}

// Walks the subtree without recursion: an entry with `closing` set emits an end tag.
void AppendNode(std::string& out, const HtmlNode& root, bool includeRoot) {
    struct Step {
        const HtmlNode* node;
        bool closing;
    };
    std::vector<Step> stack;
    auto pushChildren = [&stack](const HtmlNode& node) {
        const auto& children = node.children();
        for (size_t i = children.size(); i > 0; --i) {
            stack.push_back({children[i - 1].get(), false});
        }
    };
    if (includeRoot) {
        stack.push_back({&root, false});
    } else {
        pushChildren(root);
    }
    while (!stack.empty()) {
        Step step = stack.back();
        stack.pop_back();
        const HtmlNode& node = *step.node;
        if (step.closing) {
            out += "</";
            out += node.tag();
            out += '>';
            continue;
        }
        switch (node.kind()) {
            case HtmlNode::Kind::Element:
                AppendStartTag(out, node);
                if (IsVoidElement(node.tag())) {
                    break;
                }
                if (IsOneOf(node.tag(), {"pre", "textarea", "listing"}) &&
                    !node.children().empty() &&
                    node.children().front()->kind() == HtmlNode::Kind::Text &&
                    node.children().front()->text().starts_with('\n')) {
                    out += '\n';
                }
                stack.push_back({&node, true});
                pushChildren(node);
                break;
            case HtmlNode::Kind::Text:
                if (HoldsRawText(node.parent())) {
                    out += node.text();
                } else {
                    AppendEscaped(out, node.text(), false);
                }
                break;
            case HtmlNode::Kind::Comment:
                out += "<!--";
                out += node.text();
                out += "-->";
                break;
            case HtmlNode::Kind::Document:
                pushChildren(node);
                break;
        }
    }
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

class TextCollector {
public:
    void AddText(std::string_view text) {
        for (char c : text) {
            if (IsSpace(c)) {
                pendingSpace_ = true;
                continue;
            }
            if (pendingSpace_ && !out_.empty() && !AtLineStart()) {
                out_ += ' ';
            }
            pendingSpace_ = false;
            out_ += c;
        }
    }
    void AddLineBreak() {
        out_ += "\r\n";
        pendingSpace_ = false;
    }
    void AddBlockBoundary() {
        if (!out_.empty() && !AtLineStart()) {
            out_ += "\r\n";
        }
        pendingSpace_ = false;
    }
    std::string Take() {
        while (out_.ends_with("\r\n")) {
            out_.resize(out_.size() - 2);
        }
        return std::move(out_);
    }

private:
    bool AtLineStart() const { return out_.ends_with('\n'); }

    std::string out_;
    bool pendingSpace_ = false;
};

}  // namespace

bool IsVoidElement(const std::string& tag) {
    return IsOneOf(
        tag, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img",
              "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

bool IsBlockElement(const std::string& tag) {
    return IsOneOf(tag,
                   {"html",     "body",       "div",     "p",        "h1",       "h2",     "h3",
                    "h4",       "h5",         "h6",      "ul",       "ol",       "li",     "dl",
                    "dt",       "dd",         "table",   "tr",       "form",     "center", "hr",
                    "pre",      "blockquote", "address", "fieldset", "frameset", "iframe", "frame",
                    "noframes", "caption",    "thead",   "tbody",    "tfoot",    "menu",   "dir",
                    "header",   "footer",     "section", "article",  "nav",      "main",   "aside",
                    "figure",   "textarea",   "select",  "object"});
}

std::string OuterHtml(const HtmlNode& node) {
    std::string out;
    AppendNode(out, node, true);
    return out;
}

std::string InnerHtml(const HtmlNode& node) {
    std::string out;
    AppendNode(out, node, false);
    return out;
}

std::string InnerText(const HtmlNode& root) {
    TextCollector text;
    const HtmlNode* node = root.children().empty() ? nullptr : root.children().front().get();
    while (node != nullptr) {
        const HtmlNode* next = nullptr;
        if (node->kind() == HtmlNode::Kind::Text) {
            text.AddText(node->text());
        } else if (node->IsElement()) {
            const std::string& tag = node->tag();
            if (tag == "br") {
                text.AddLineBreak();
            } else if (IsBlockElement(tag)) {
                text.AddBlockBoundary();
            }
            if (IsOneOf(tag, {"script", "style", "head", "title", "noscript"})) {
                // Skip the subtree: continue after its last descendant.
                const HtmlNode* last = node;
                while (!last->children().empty()) {
                    last = last->children().back().get();
                }
                next = last->Next(&root);
                node = next;
                continue;
            }
        }
        next = node->Next(&root);
        // Leaving a block (the next node is outside it) ends its line as well.
        for (const HtmlNode* up = node; up != nullptr && up != &root; up = up->parent()) {
            if (next != nullptr && up->Contains(next)) {
                break;
            }
            if (up->IsElement() && IsBlockElement(up->tag())) {
                text.AddBlockBoundary();
            }
        }
        node = next;
    }
    return text.Take();
}

}  // namespace platform::web
