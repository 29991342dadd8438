// One element of a loaded document as IHTMLElement, and also as IHTMLAnchorElement for <a>,
// IHTMLImgElement for <img> and IHTMLObjectElement for <object>. It refers to its node by serial,
// so it fails with E_FAIL once the node or its document is gone.
#pragma once

#include <cstdint>

#include "platform/web/HtmlNode.h"
#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/DocumentLink.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/HtmlObject.h"

namespace platform::webcontrol {

class HtmlElementObject final
    : public HtmlObject<IHTMLElement, IHTMLAnchorElement, IHTMLImgElement, IHTMLObjectElement> {
public:
    // A new object (one reference, the caller's) for the element, as IHTMLElement.
    static IHTMLElement* Create(DocumentLinkPtr link, const web::HtmlNode& element);

    HRESULT QueryInterface(REFIID iid, void** object) override;

    HRESULT setAttribute(BSTR name, VARIANT value, LONG flags) override;
    HRESULT getAttribute(BSTR name, LONG flags, VARIANT* value) override;
    HRESULT removeAttribute(BSTR name, LONG flags, VARIANT_BOOL* removed) override;
    HRESULT put_className(BSTR name) override;
    HRESULT get_className(BSTR* name) override;
    HRESULT put_id(BSTR id) override;
    HRESULT get_id(BSTR* id) override;
    HRESULT get_tagName(BSTR* tag) override;
    HRESULT get_parentElement(IHTMLElement** parent) override;
    HRESULT put_innerHTML(BSTR html) override;
    HRESULT get_innerHTML(BSTR* html) override;
    HRESULT put_innerText(BSTR text) override;
    HRESULT get_innerText(BSTR* text) override;
    HRESULT get_outerHTML(BSTR* html) override;
    HRESULT get_children(IDispatch** children) override;
    HRESULT get_all(IDispatch** all) override;

    // Anchor and image members; the shared name reads the href of either.
    HRESULT get_href(BSTR* href) override;
    HRESULT get_target(BSTR* target) override;
    HRESULT get_name(BSTR* name) override;
    HRESULT get_src(BSTR* src) override;

private:
    HtmlElementObject(DocumentLinkPtr link, uint64_t serial)
        : link_(std::move(link)), serial_(serial) {}
    web::HtmlNode* Node() const;
    template <typename TextOf>
    HRESULT ReadNodeText(BSTR* out, TextOf textOf) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        web::HtmlNode* node = Node();
        return node == nullptr ? E_FAIL : ReturnText(textOf(*node), out);
    }
    HRESULT ReadAttribute(std::string_view name, BSTR* out) const;
    HRESULT WriteAttribute(std::string_view name, BSTR value);

    DocumentLinkPtr link_;
    uint64_t serial_;
};

}  // namespace platform::webcontrol
