#include "platform/web/MarkupLimits.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

#include "platform/web/HtmlParser.h"

namespace platform::web {

namespace {

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsVoid(std::string_view name) {
    return IsOneOf(
        name, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image",
               "img", "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

// Elements whose content is text up to their own end tag.
bool HasTextContent(std::string_view name) {
    return IsOneOf(
        name, {"script", "style", "xmp", "iframe", "noembed", "noframes", "textarea", "title"});
}

// The parser keeps one of each and never nests them.
bool IsDocumentFrame(std::string_view name) {
    return IsOneOf(name, {"html", "head", "body"});
}

bool IsFormatting(std::string_view name) {
    return IsOneOf(name, {"a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small",
                          "strike", "strong", "tt", "u"});
}

// An end tag `name` closes nothing past an open element `open` of these; the end tags of a
// table's parts reach through its cells.
bool IsScopeBoundary(std::string_view name, std::string_view open) {
    if (IsOneOf(name, {"table", "tbody", "thead", "tfoot", "tr"})) {
        return IsOneOf(open, {"html", "table", "template"});
    }
    return IsOneOf(
        open, {"applet", "caption", "html", "table", "td", "th", "marquee", "object", "template"});
}

bool ClosesParagraph(std::string_view name) {
    return IsOneOf(name, {"address", "article", "aside",  "blockquote", "center",   "details",
                          "dialog",  "dir",     "div",    "dl",         "fieldset", "figcaption",
                          "figure",  "footer",  "header", "hgroup",     "main",     "menu",
                          "nav",     "ol",      "p",      "section",    "summary",  "ul",
                          "h1",      "h2",      "h3",     "h4",         "h5",       "h6",
                          "pre",     "listing", "form",   "li",         "dd",       "dt"});
}

bool IsHeading(std::string_view name) {
    return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

// Whether a start tag `name` closes the innermost open element `open` first, as the parser's
// implied ends do (the common cases; missing one only makes the count deeper than the parser's).
bool ClosesOnStart(std::string_view name, std::string_view open) {
    if (open == "p" && ClosesParagraph(name)) {
        return true;
    }
    if (name == "li") {
        return open == "li";
    }
    if (name == "dd" || name == "dt") {
        return open == "dd" || open == "dt";
    }
    if (IsHeading(name)) {
        return IsHeading(open);
    }
    if (name == "option" || name == "optgroup") {
        return open == "option" || (name == "optgroup" && open == "optgroup");
    }
    if (name == "td" || name == "th") {
        return open == "td" || open == "th";
    }
    if (name == "tr") {
        return open == "td" || open == "th" || open == "tr";
    }
    if (name == "tbody" || name == "thead" || name == "tfoot") {
        return IsOneOf(open, {"td", "th", "tr", "tbody", "thead", "tfoot"});
    }
    return name == open && IsOneOf(name, {"a", "button", "nobr"});
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[at + i]) != prefix[i]) {
            return false;
        }
    }
    return true;
}

struct OpenElement {
    std::string name;
    // For formatting elements: the tag as written, which tells reopened kinds apart as the
    // parser does (same name, same attributes).
    std::string tag;
};

struct Tag {
    std::string name;
    bool end = false;
    bool selfClosing = false;
    // Where the tag ends (past its '>', or the end of the markup when it is not closed).
    size_t endAt = 0;
    bool closed = false;
    // Where the attributes past the limit begin; npos when there are none to drop.
    size_t cutAt = std::string_view::npos;
};

class Limiter {
public:
    Limiter(std::string_view markup, size_t depth) : in_(markup), baseDepth_(depth) {
        out_.reserve(markup.size());
    }

    std::string Run() {
        size_t copied = 0;
        size_t at = 0;
        while ((at = in_.find('<', at)) != std::string_view::npos) {
            const size_t start = at;
            if (StartsWithNoCase(in_, at, "<!--")) {
                at = CommentEnd(at);
            } else if (at + 1 < in_.size() && (in_[at + 1] == '!' || in_[at + 1] == '?')) {
                at = BogusCommentEnd(at);
            } else if (at + 2 < in_.size() && in_[at + 1] == '/' && IsAsciiLetter(in_[at + 2])) {
                Tag tag = ReadTag(at + 2, true);
                out_.append(in_.substr(copied, start - copied));
                EndTag(tag.name);
                WriteTag(start, tag);
                copied = at = tag.endAt;
            } else if (at + 1 < in_.size() && in_[at + 1] == '/') {
                at = BogusCommentEnd(at);
            } else if (at + 1 < in_.size() && IsAsciiLetter(in_[at + 1])) {
                Tag tag = ReadTag(at + 1, false);
                out_.append(in_.substr(copied, start - copied));
                StartTag(tag, in_.substr(start, tag.endAt - start));
                WriteTag(start, tag);
                copied = at = tag.endAt;
                if (tag.closed && tag.name == "plaintext") {
                    break;
                }
                if (tag.closed && HasTextContent(tag.name)) {
                    at = TextContentEnd(at, tag.name);
                }
            } else {
                ++at;
            }
        }
        out_.append(in_.substr(copied));
        return std::move(out_);
    }

private:
    size_t Depth() const { return baseDepth_ + open_.size(); }

    size_t CommentEnd(size_t at) const {
        // "<!-->" and "<!--->" end at once.
        for (std::string_view shortEnd : {"<!-->", "<!--->"}) {
            if (in_.substr(at, shortEnd.size()) == shortEnd) {
                return at + shortEnd.size();
            }
        }
        size_t end = at + 4;
        while ((end = in_.find("--", end)) != std::string_view::npos) {
            if (in_.substr(end, 3) == "-->") {
                return end + 3;
            }
            if (in_.substr(end, 4) == "--!>") {
                return end + 4;
            }
            ++end;
        }
        return in_.size();
    }

    size_t BogusCommentEnd(size_t at) const {
        if (in_.substr(at, 9) == "<![CDATA[" && InForeignContent()) {
            const size_t end = in_.find("]]>", at + 9);
            return end == std::string_view::npos ? in_.size() : end + 3;
        }
        const size_t end = in_.find('>', at + 1);
        return end == std::string_view::npos ? in_.size() : end + 1;
    }

    bool InForeignContent() const {
        return std::any_of(open_.begin(), open_.end(), [](const OpenElement& element) {
            return element.name == "svg" || element.name == "math";
        });
    }

    // The content of a script, style, title... runs to the first end tag of the same name.
    size_t TextContentEnd(size_t at, std::string_view name) const {
        while ((at = in_.find("</", at)) != std::string_view::npos) {
            const size_t after = at + 2 + name.size();
            if (StartsWithNoCase(in_, at + 2, name) &&
                (after == in_.size() || IsSpace(in_[after]) || in_[after] == '/' ||
                 in_[after] == '>')) {
                return at;
            }
            at += 2;
        }
        return in_.size();
    }

    // Reads a tag from its name on, the way the parser's tokenizer does.
    Tag ReadTag(size_t at, bool end) const {
        Tag tag;
        tag.end = end;
        while (at < in_.size() && !IsSpace(in_[at]) && in_[at] != '/' && in_[at] != '>') {
            tag.name += Lower(in_[at++]);
        }
        size_t attributes = 0;
        while (at < in_.size()) {
            const char c = in_[at];
            if (IsSpace(c)) {
                ++at;
            } else if (c == '>') {
                tag.closed = true;
                tag.endAt = at + 1;
                return tag;
            } else if (c == '/') {
                ++at;
                tag.selfClosing = at < in_.size() && in_[at] == '>';
            } else {
                if (++attributes > kMaxAttributes && tag.cutAt == std::string_view::npos) {
                    tag.cutAt = at;
                }
                at = AttributeEnd(at);
            }
        }
        tag.endAt = in_.size();
        return tag;
    }

    size_t AttributeEnd(size_t at) const {
        // The name: a leading '=' belongs to it.
        ++at;
        while (at < in_.size() && !IsSpace(in_[at]) && in_[at] != '/' && in_[at] != '>' &&
               in_[at] != '=') {
            ++at;
        }
        size_t next = at;
        while (next < in_.size() && IsSpace(in_[next])) {
            ++next;
        }
        if (next >= in_.size() || in_[next] != '=') {
            return at;
        }
        ++next;
        while (next < in_.size() && IsSpace(in_[next])) {
            ++next;
        }
        if (next < in_.size() && (in_[next] == '"' || in_[next] == '\'')) {
            const size_t close = in_.find(in_[next], next + 1);
            return close == std::string_view::npos ? in_.size() : close + 1;
        }
        while (next < in_.size() && !IsSpace(in_[next]) && in_[next] != '>') {
            ++next;
        }
        return next;
    }

    void WriteTag(size_t start, const Tag& tag) {
        if (!tag.closed || tag.cutAt == std::string_view::npos) {
            out_.append(in_.substr(start, tag.endAt - start));
            return;
        }
        // Attributes of an end tag mean nothing to the parser: all of them go.
        if (tag.end) {
            out_.append("</").append(tag.name).append(">");
            return;
        }
        out_.append(in_.substr(start, tag.cutAt - start));
        out_.append(tag.selfClosing ? "/>" : ">");
    }

    void Close(const std::string& name) { out_.append("</").append(name).append(">"); }

    void StartTag(const Tag& tag, std::string_view written) {
        if (IsDocumentFrame(tag.name) || IsVoid(tag.name) || HasTextContent(tag.name) ||
            tag.name == "plaintext") {
            return;
        }
        while (!open_.empty() && ClosesOnStart(tag.name, open_.back().name)) {
            open_.pop_back();
        }
        if (Depth() >= kMaxTreeDepth && !open_.empty()) {
            Close(open_.back().name);
            open_.pop_back();
        }
        OpenElement element{tag.name, {}};
        if (IsFormatting(tag.name)) {
            element.tag = std::string(written);
        }
        open_.push_back(std::move(element));
    }

    void EndTag(const std::string& name) {
        if (IsDocumentFrame(name)) {
            return;
        }
        size_t found = open_.size();
        for (size_t i = open_.size(); i > 0; --i) {
            if (open_[i - 1].name == name) {
                found = i - 1;
                break;
            }
            if (IsScopeBoundary(name, open_[i - 1].name)) {
                break;
            }
        }
        if (found == open_.size()) {
            // The end tag of a formatting element that was left open ends its reopening.
            if (IsFormatting(name)) {
                auto kind = std::find_if(reopenable_.begin(), reopenable_.end(),
                                         [&](const auto& entry) { return entry.first == name; });
                if (kind != reopenable_.end()) {
                    reopenable_.erase(kind);
                }
            }
            return;
        }
        // The formatting elements that this end tag leaves open for the parser to reopen later.
        std::vector<const OpenElement*> leftOpen;
        for (size_t i = open_.size() - 1; i > found; --i) {
            if (!open_[i].tag.empty()) {
                leftOpen.push_back(&open_[i]);
            }
        }
        size_t kinds = reopenable_.size();
        for (const OpenElement* element : leftOpen) {
            kinds += reopenable_.count({element->name, element->tag}) == 0 ? 1 : 0;
        }
        if (kinds > kMaxReopenedFormatting) {
            for (const OpenElement* element : leftOpen) {
                Close(element->name);
            }
        } else {
            for (const OpenElement* element : leftOpen) {
                reopenable_.insert({element->name, element->tag});
            }
        }
        open_.resize(found);
    }

    std::string_view in_;
    size_t baseDepth_;
    std::string out_;
    std::vector<OpenElement> open_;
    // Formatting elements left open, by name and tag as written.
    std::set<std::pair<std::string, std::string>> reopenable_;
};

}  // namespace

std::string LimitMarkup(std::string_view utf8, size_t depth) {
    return Limiter(utf8, depth).Run();
}

}  // namespace platform::web
