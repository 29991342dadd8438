// What one picture search found on an outside result page: up to 50 picture links and up to 50
// links to further result pages, and the keyword. It renders them as the picture list, a local
// page whose blocks send "qrplay:1:" (show a picture's information) and "qrplay:3:" (go to
// another result page) through the window's status text.
#pragma once

#include <array>
#include <span>

#include "platform/text/CString.h"

struct SearchLink {
    CString url;
    // The anchor's inner HTML as the outside page has it (for a picture usually an IMG element).
    CString text;
};

class CImageSearchResults {
public:
    static constexpr int kMaxLinks = 50;

    CImageSearchResults() = default;
    virtual ~CImageSearchResults() = default;

    // The outside search service. Its host is set once at start-up; the addresses below follow
    // from it. A picture link holds "http://" + host + "/i?ct", a result-page link host + "/i?z=".
    static void SetSearchHosts(const CString& imageHost, const CString& webHost);
    static CString ImageHost();
    static CString WebHost();
    // The first result page for the keyword and the companion web-search page for it.
    static CString FirstResultPage(const CString& keyword);
    static CString CompanionPage(const CString& keyword);

    // Takes the anchor when it is a wanted link. 1 when a result-page link was taken (the page
    // counts as loaded then); 0 otherwise, also for a picture link taken.
    int AddLink(const CString& href, const CString& text);
    // The picture list. Always 0.
    int RenderHtml(CString& out) const;
    // Both counts 0 and every link emptied; the keyword stays. Always 0.
    int Reset();

    // The picture list of any number of links: four picture cells a row, 25 page cells a row. The
    // keyword and the addresses are escaped as markup; of a link's text only its picture, when
    // it shows one, is kept (a thumbnail of the picture's source), any other text is escaped,
    // so nothing of the outside page runs inside the local list.
    static void RenderList(const CString& keyword, std::span<const SearchLink> images,
                           std::span<const SearchLink> pages, CString& out);

    CString m_strKeyword;
    std::array<SearchLink, kMaxLinks> m_imageLinks;
    std::array<SearchLink, kMaxLinks> m_pageLinks;
    int m_nImageCount = 0;
    int m_nPageCount = 0;
};
