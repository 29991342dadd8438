// A loaded document as IHTMLDocument2, with the document's command target, which runs the
// commands of the standard group and of CGID_MSHTML on this document through the control (see
// WebBrowser.h for what each does).
#pragma once

#include "platform/com/OleCommandTarget.h"
#include "platform/webcontrol/DocumentLink.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/HtmlObject.h"

namespace platform::webcontrol {

class HtmlDocumentObject final : public HtmlObject<IHTMLDocument2, IOleCommandTarget> {
public:
    // A new object (one reference, the caller's).
    static HtmlDocumentObject* Create(DocumentLinkPtr link);

    HRESULT get_all(IHTMLElementCollection** all) override;
    HRESULT get_body(IHTMLElement** body) override;
    HRESULT get_images(IHTMLElementCollection** images) override;
    HRESULT get_links(IHTMLElementCollection** links) override;
    HRESULT get_anchors(IHTMLElementCollection** anchors) override;
    HRESULT put_title(BSTR title) override;
    HRESULT get_title(BSTR* title) override;
    HRESULT get_readyState(BSTR* state) override;
    HRESULT get_URL(BSTR* url) override;
    HRESULT put_charset(BSTR charset) override;
    HRESULT get_charset(BSTR* charset) override;
    HRESULT write(SAFEARRAY* markup) override;
    HRESULT writeln(SAFEARRAY* markup) override;
    HRESULT close() override;

    HRESULT QueryStatus(const GUID* group, ULONG commandCount, OLECMD commands[],
                        OLECMDTEXT* text) override;
    HRESULT Exec(const GUID* group, DWORD command, DWORD options, VARIANT* input,
                 VARIANT* output) override;

private:
    explicit HtmlDocumentObject(DocumentLinkPtr link) : link_(std::move(link)) {}
    HRESULT Collection(std::vector<web::HtmlNode*> (web::HtmlDocument::*query)() const,
                       IHTMLElementCollection** out);
    HRESULT Write(SAFEARRAY* markup, std::string_view ending);

    DocumentLinkPtr link_;
};

}  // namespace platform::webcontrol
