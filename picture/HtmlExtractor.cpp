#include "picture/HtmlExtractor.h"

#include <algorithm>

#include "platform/text/CString.h"
#include "platform/text/Gbk.h"

namespace {

bool IsBlank(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether name (lower case) stands at `at`, ignoring case, and ends there as a whole name: one
// of the bytes in `ends` follows it before `limit`, or `limit` itself does when `limitEnds`.
bool NameAt(std::string_view text, size_t at, std::string_view name, size_t limit,
            std::string_view ends, bool limitEnds) {
    if (at + name.size() > limit) {
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        if (Lower(text[at + i]) != name[i]) {
            return false;
        }
    }
    const size_t after = at + name.size();
    if (after == limit) {
        return limitEnds;
    }
    return ends.find(text[after]) != std::string_view::npos;
}

}  // namespace

CHtmlExtractor::CHtmlExtractor() = default;

CHtmlExtractor::~CHtmlExtractor() = default;

int CHtmlExtractor::ExtractNextLink(std::string_view base, ScriptText& html, std::string& text,
                                    std::string& link) {
    return ExtractNext(base, html, false, text, link);
}

int CHtmlExtractor::ExtractNextImage(std::string_view base, ScriptText& html, std::string& text,
                                     std::string& source) {
    return ExtractNext(base, html, true, text, source);
}

int CHtmlExtractor::ExtractNext(std::string_view base, ScriptText& html, bool pictures,
                                std::string& text, std::string& address) {
    // A walk calls this once per element with the same base, so the split of the base and the
    // element's buffer are kept for the thread rather than made anew each time.
    thread_local std::string splitBase;
    thread_local std::string root;
    thread_local std::string directory;
    thread_local bool split = false;
    if (!split || base != splitBase) {
        SplitBase(base, root, directory);
        splitBase.assign(base);
        split = true;
    }
    thread_local std::string element;
    thread_local std::string value;
    for (;;) {
        const int cut =
            pictures ? CutTag(0, html, "img", element) : CutElement(0, html, "a", "a", element);
        if (cut != 0) {
            html.clear();
            return 1;
        }
        const size_t close = element.find('>', 1);
        if (close == std::string::npos) {
            continue;
        }
        const std::string_view opening = std::string_view(element).substr(0, close);
        if (!AttributeValue(opening, pictures ? "src" : "href", value)) {
            // An element without an address is passed over; ending the walk here would lose
            // every element after it.
            continue;
        }
        const std::string_view trimmed = TrimmedView(value);
        if (trimmed.size() > 1 && trimmed.find("//") == std::string_view::npos) {
            const std::string& prefix = trimmed.front() == '/' ? root : directory;
            address.reserve(prefix.size() + trimmed.size());
            address.assign(prefix);
            address.append(trimmed);
        } else {
            address.assign(trimmed);
        }
        const std::string_view after = std::string_view(element).substr(close + 1);
        const size_t lastOpen = after.rfind('<');
        text.assign(lastOpen == std::string_view::npos ? std::string_view()
                                                       : TrimmedView(after.substr(0, lastOpen)));
        return 0;
    }
}

int CHtmlExtractor::CutElement(size_t from, ScriptText& html, std::string_view tag,
                               std::string_view closing, std::string& out) {
    const std::string_view text = html.view();
    const size_t name = FindOpenTag(text, from, tag);
    if (name == std::string_view::npos) {
        return -1;
    }
    const size_t end = FindCloseTag(text, name + 1, closing);
    if (end == std::string_view::npos) {
        return -1;
    }
    out.assign(text.substr(name, end - name + 1));
    html.DropFront(end + 1);
    return 0;
}

int CHtmlExtractor::CutTag(size_t from, ScriptText& html, std::string_view tag, std::string& out) {
    const std::string_view text = html.view();
    const size_t name = FindOpenTag(text, from, tag);
    if (name == std::string_view::npos) {
        return -1;
    }
    const size_t end = text.find('>', name);
    if (end == std::string_view::npos) {
        return -1;
    }
    out.assign(text.substr(name, end - name + 1));
    html.DropFront(end + 1);
    return 0;
}

size_t CHtmlExtractor::FindOpenTag(std::string_view html, size_t from, std::string_view tag) {
    size_t at = from;
    for (;;) {
        const size_t open = html.find('<', at);
        if (open == std::string_view::npos) {
            return open;
        }
        size_t name = open + 1;
        while (name < html.size() && IsBlank(html[name])) {
            ++name;
        }
        if (NameAt(html, name, tag, html.size(), "\t\n\r />", false)) {
            return name;
        }
        at = open + 1;
    }
}

size_t CHtmlExtractor::FindCloseTag(std::string_view html, size_t from, std::string_view closing) {
    size_t at = from;
    for (;;) {
        const size_t open = html.find('<', at);
        if (open == std::string_view::npos) {
            return open;
        }
        const size_t end = html.find('>', open + 1);
        if (end == std::string_view::npos) {
            return end;
        }
        const size_t slash = html.substr(open + 1, end - open - 1).find('/');
        if (slash != std::string_view::npos) {
            size_t name = open + 1 + slash + 1;
            while (name < end && IsBlank(html[name])) {
                ++name;
            }
            if (NameAt(html, name, closing, end, "\t\n\r ", true)) {
                return end;
            }
        }
        at = end + 1;
    }
}

void CHtmlExtractor::SplitBase(std::string_view base, std::string& root, std::string& directory) {
    const size_t slashes = base.find("//");
    if (slashes == std::string_view::npos) {
        root.assign(base);
        directory.assign(base);
        return;
    }
    const size_t hostEnd = base.find('/', slashes + 2);
    root.assign(base.substr(0, hostEnd));
    const size_t last = base.rfind('/');
    if (last > slashes + 1) {
        const std::string_view segment = base.substr(last);
        if (segment.find_first_of(".?&") != std::string_view::npos) {
            directory.assign(base.substr(0, last + 1));
        } else {
            // A base that ends in "/" is a folder already; another "/" would double it.
            directory.assign(base);
            if (base.back() != '/') {
                directory += '/';
            }
        }
    } else {
        directory.assign(base);
        directory += '/';
    }
}

bool CHtmlExtractor::AttributeValue(std::string_view opening, std::string_view attribute,
                                    std::string& value) {
    // The attribute is found in a lower-case copy; the value is cut from the opening itself. The
    // opening is read as if a space followed it, which ends an unquoted value at its end.
    thread_local std::string lower;
    lower.assign(opening);
    platform::ToLowerAscii(lower);
    const size_t name = platform::FindText(lower, attribute);
    if (name == std::string::npos) {
        return false;
    }
    const size_t equals = platform::FindChar(lower, '=', name);
    if (equals == std::string::npos) {
        return false;
    }
    size_t start = equals + 1;
    while (start < opening.size() && IsBlank(opening[start])) {
        ++start;
    }
    char end = ' ';
    if (start < opening.size() && (opening[start] == '\'' || opening[start] == '"')) {
        end = opening[start];
        ++start;
    }
    const size_t stop = std::min(opening.find(end, start), opening.size());
    value.assign(
        opening.substr(std::min(start, opening.size()), stop - std::min(start, opening.size())));
    if (stop == opening.size() && end != ' ') {
        // An unclosed quote runs to the end of the opening and its space.
        value += ' ';
    }
    return true;
}

std::string_view CHtmlExtractor::TrimmedView(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        // A blank after a lead byte may be that character's second byte, which is never
        // trimmed; only a walk from the start tells, so such a rare text takes the slow road.
        if (text.size() >= 2 &&
            platform::IsLeadByte(static_cast<unsigned char>(text[text.size() - 2]))) {
            CString trimmed(text);
            trimmed.TrimRight();
            return text.substr(0, static_cast<size_t>(trimmed.GetLength()));
        }
        text.remove_suffix(1);
    }
    return text;
}

std::string CHtmlExtractor::Trimmed(std::string_view text) {
    return std::string(TrimmedView(text));
}
