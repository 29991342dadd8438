#include "picture/ImageSearchResults.h"

#include <string>
#include <string_view>

#include "platform/text/Gbk.h"

namespace {

// The service's hosts, set at start-up before any search runs.
CString imageHost = "image.baidu.com";
CString webHost = "www.baidu.com";
constexpr char kPartner[] = "glintora";

constexpr int kPicturesPerRow = 4;
constexpr int kPagesPerRow = 25;

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

size_t FindNoCase(std::string_view text, std::string_view word, size_t from = 0) {
    for (size_t i = from; i + word.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < word.size() && Lower(text[i + k]) == word[k]) {
            ++k;
        }
        if (k == word.size()) {
            return i;
        }
    }
    return std::string_view::npos;
}

// The source of the first IMG element of the markup, or nothing when it shows no picture.
std::string_view PictureSource(std::string_view markup) {
    const size_t tag = FindNoCase(markup, "<img");
    if (tag == std::string_view::npos) {
        return {};
    }
    const size_t tagEnd = markup.find('>', tag);
    const std::string_view element = markup.substr(tag, tagEnd - tag);
    size_t at = 4;
    while ((at = FindNoCase(element, "src", at)) != std::string_view::npos) {
        const bool wordStart = element[at - 1] == ' ' || element[at - 1] == '\t' ||
                               element[at - 1] == '\n' || element[at - 1] == '\r' ||
                               element[at - 1] == '/';
        size_t cursor = at + 3;
        while (cursor < element.size() && element[cursor] == ' ') {
            ++cursor;
        }
        if (!wordStart || cursor >= element.size() || element[cursor] != '=') {
            at += 3;
            continue;
        }
        ++cursor;
        while (cursor < element.size() && element[cursor] == ' ') {
            ++cursor;
        }
        if (cursor >= element.size()) {
            return {};
        }
        const char quote = element[cursor];
        if (quote == '"' || quote == '\'') {
            const size_t end = element.find(quote, cursor + 1);
            return element.substr(cursor + 1, end == std::string_view::npos ? std::string_view::npos
                                                                            : end - cursor - 1);
        }
        const size_t end = element.find_first_of(" \t\r\n>", cursor);
        return element.substr(
            cursor, end == std::string_view::npos ? std::string_view::npos : end - cursor);
    }
    return {};
}

void AppendLinkText(std::string& out, std::string_view text) {
    const std::string_view source = PictureSource(text);
    if (!source.empty()) {
        out += "<img src=\"";
        AppendEscaped(out, source);
        out += "\">";
        return;
    }
    AppendEscaped(out, text);
}

void AppendCell(std::string& out, const char* open, const SearchLink& link,
                std::string_view keyword) {
    out += open;
    AppendEscaped(out, link.url.view());
    out += "|||||";
    out += keyword;
    out += "\">";
    AppendLinkText(out, link.text.view());
    out += "</div></td>";
}

}  // namespace

void CImageSearchResults::SetSearchHosts(const CString& image, const CString& web) {
    imageHost = image;
    webHost = web;
}

CString CImageSearchResults::ImageHost() {
    return imageHost;
}

CString CImageSearchResults::WebHost() {
    return webHost;
}

CString CImageSearchResults::FirstResultPage(const CString& keyword) {
    return "http://" + imageHost + "/i?tn=baiduimage&ct=201326592&cl=2&lm=-1&pv=&word=" + keyword;
}

CString CImageSearchResults::CompanionPage(const CString& keyword) {
    return "http://" + webHost + "/click/search.htm?m=" + kPartner +
           "&fw=union&s=2&p=1006&name=" + keyword;
}

int CImageSearchResults::AddLink(const CString& href, const CString& text) {
    if (href.Find(imageHost + "/i?z=") >= 0) {
        if (m_nPageCount >= kMaxLinks) {
            return 0;
        }
        // Both are looked for whole characters: a two-byte character may hold their bytes.
        if (platform::FindChar(text.view(), '[') == std::string_view::npos &&
            platform::FindText(text.view(), "一页") == std::string_view::npos) {
            return 0;
        }
        m_pageLinks[static_cast<size_t>(m_nPageCount++)] = {href, text};
        return 1;
    }
    if (href.Find("http://" + imageHost + "/i?ct") >= 0 && m_nImageCount < kMaxLinks) {
        for (int i = 0; i < m_nImageCount; ++i) {
            if (m_imageLinks[static_cast<size_t>(i)].url.CollateNoCase(href) == 0) {
                return 0;
            }
        }
        m_imageLinks[static_cast<size_t>(m_nImageCount++)] = {href, text};
    }
    return 0;
}

int CImageSearchResults::Reset() {
    for (SearchLink& link : m_imageLinks) {
        link = {};
    }
    for (SearchLink& link : m_pageLinks) {
        link = {};
    }
    m_nImageCount = 0;
    m_nPageCount = 0;
    return 0;
}

int CImageSearchResults::RenderHtml(CString& out) const {
    RenderList(m_strKeyword, std::span(m_imageLinks).first(static_cast<size_t>(m_nImageCount)),
               std::span(m_pageLinks).first(static_cast<size_t>(m_nPageCount)), out);
    return 0;
}

void CImageSearchResults::RenderList(const CString& keyword, std::span<const SearchLink> images,
                                     std::span<const SearchLink> pages, CString& out) {
    std::string escapedKeyword;
    AppendEscaped(escapedKeyword, keyword.view());
    std::string html;
    html.reserve(512 + (images.size() + pages.size()) * 256);
    html += "&nbsp;&nbsp;<b>";
    html += escapedKeyword;
    html += "</b><hr>";
    html +=
        "<script>function play(obj){var str;str = 'qrplay:1:' + obj.url;window.status='';"
        "window.status=str;window.status='';}</script><table border=0 width=100%>";
    for (size_t i = 0; i < images.size(); ++i) {
        if (i % kPicturesPerRow == 0) {
            html += "<tr>";
        }
        AppendCell(html,
                   "<td><div style='width=1;height=1;border:1px solid black;cursor:hand' "
                   "onclick=play(this) url=\"",
                   images[i], escapedKeyword);
        if (i % kPicturesPerRow == kPicturesPerRow - 1) {
            html += "</tr>";
        }
    }
    html +=
        "</table><script> function page(obj){var str;str = 'qrplay:3:' + obj.url;"
        "window.status='';window.status=str;window.status='';}</script><table border=0>";
    for (size_t j = 0; j < pages.size(); ++j) {
        if (j % kPagesPerRow == 0) {
            html += "<tr>";
        }
        AppendCell(html,
                   "<td><div style='border:1px solid black;cursor:hand' onclick=page(this) "
                   "url=\"",
                   pages[j], escapedKeyword);
        if (j % kPagesPerRow == kPagesPerRow - 1) {
            html += "</tr>";
        }
    }
    html += "</table>";
    out = CString(std::string_view(html));
}
