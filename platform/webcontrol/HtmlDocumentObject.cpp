#include "platform/webcontrol/HtmlDocumentObject.h"

#include <new>

#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/HtmlCollectionObject.h"
#include "platform/webcontrol/HtmlElementObject.h"

namespace platform::webcontrol {

namespace {

bool IsKnownGroup(const GUID* group) {
    return group == nullptr || IsEqualGUID(*group, CGID_MSHTML);
}

}  // namespace

HtmlDocumentObject* HtmlDocumentObject::Create(DocumentLinkPtr link) {
    return new (std::nothrow) HtmlDocumentObject(std::move(link));
}

HRESULT HtmlDocumentObject::Collection(std::vector<web::HtmlNode*> (web::HtmlDocument::*query)()
                                           const,
                                       IHTMLElementCollection** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (!link_->alive()) {
        return E_FAIL;
    }
    *out = HtmlCollectionObject::Create(link_, (link_->page->document().*query)());
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT HtmlDocumentObject::get_all(IHTMLElementCollection** all) {
    return Collection(&web::HtmlDocument::All, all);
}

HRESULT HtmlDocumentObject::get_images(IHTMLElementCollection** images) {
    return Collection(&web::HtmlDocument::Images, images);
}

HRESULT HtmlDocumentObject::get_links(IHTMLElementCollection** links) {
    return Collection(&web::HtmlDocument::Links, links);
}

HRESULT HtmlDocumentObject::get_anchors(IHTMLElementCollection** anchors) {
    return Collection(&web::HtmlDocument::Anchors, anchors);
}

HRESULT HtmlDocumentObject::get_body(IHTMLElement** body) {
    if (body == nullptr) {
        return E_POINTER;
    }
    *body = nullptr;
    if (!link_->alive()) {
        return E_FAIL;
    }
    web::HtmlNode* node = link_->page->document().Body();
    if (node == nullptr) {
        return S_OK;
    }
    *body = HtmlElementObject::Create(link_, *node);
    return *body == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT HtmlDocumentObject::put_title(BSTR title) {
    if (!link_->alive()) {
        return E_FAIL;
    }
    std::string text = Utf8FromBstr(title);
    link_->page->document().SetTitle(text);
    if (link_->owner != nullptr) {
        link_->owner->OnDocumentTitle(*link_->page, text);
    }
    return S_OK;
}

HRESULT HtmlDocumentObject::get_title(BSTR* title) {
    if (title != nullptr) {
        *title = nullptr;
    }
    return link_->alive() ? ReturnText(link_->page->document().Title(), title) : E_FAIL;
}

HRESULT HtmlDocumentObject::get_readyState(BSTR* state) {
    if (state != nullptr) {
        *state = nullptr;
    }
    if (!link_->alive()) {
        return E_FAIL;
    }
    return ReturnText(link_->page->complete() ? "complete" : "loading", state);
}

HRESULT HtmlDocumentObject::get_URL(BSTR* url) {
    if (url != nullptr) {
        *url = nullptr;
    }
    return link_->alive() ? ReturnText(link_->page->document().address(), url) : E_FAIL;
}

HRESULT HtmlDocumentObject::put_charset(BSTR charset) {
    if (!link_->alive()) {
        return E_FAIL;
    }
    link_->page->SetCharset(Utf8FromBstr(charset));
    return S_OK;
}

HRESULT HtmlDocumentObject::get_charset(BSTR* charset) {
    if (charset != nullptr) {
        *charset = nullptr;
    }
    return link_->alive() ? ReturnText(link_->page->document().charset(), charset) : E_FAIL;
}

HRESULT HtmlDocumentObject::Write(SAFEARRAY* markup, std::string_view ending) {
    if (!link_->alive()) {
        return E_FAIL;
    }
    if (markup == nullptr || SafeArrayGetDim(markup) != 1) {
        return E_INVALIDARG;
    }
    VARTYPE type = VT_EMPTY;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetVartype(markup, &type)) || (type != VT_VARIANT && type != VT_BSTR) ||
        FAILED(SafeArrayGetLBound(markup, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(markup, 1, &upper))) {
        return E_INVALIDARG;
    }
    std::string text;
    for (LONG i = lower; i <= upper; ++i) {
        VARIANT element;
        VariantInit(&element);
        if (type == VT_VARIANT) {
            if (FAILED(SafeArrayGetElement(markup, &i, &element))) {
                return E_INVALIDARG;
            }
        } else {
            element.vt = VT_BSTR;
            if (FAILED(SafeArrayGetElement(markup, &i, &element.bstrVal))) {
                return E_INVALIDARG;
            }
        }
        text += Utf8FromVariant(&element);
        VariantClear(&element);
    }
    text += ending;
    link_->page->Write(text);
    if (link_->owner != nullptr) {
        link_->owner->AfterDocumentWork();
    }
    return S_OK;
}

HRESULT HtmlDocumentObject::write(SAFEARRAY* markup) {
    return Write(markup, "");
}

HRESULT HtmlDocumentObject::writeln(SAFEARRAY* markup) {
    return Write(markup, "\r\n");
}

HRESULT HtmlDocumentObject::close() {
    if (!link_->alive()) {
        return E_FAIL;
    }
    link_->page->Close();
    if (link_->owner != nullptr) {
        link_->owner->AfterDocumentWork();
    }
    return S_OK;
}

HRESULT HtmlDocumentObject::QueryStatus(const GUID* group, ULONG commandCount, OLECMD commands[],
                                        OLECMDTEXT* text) {
    if (!IsKnownGroup(group)) {
        return OLECMDERR_E_UNKNOWNGROUP;
    }
    if (commands == nullptr && commandCount > 0) {
        return E_POINTER;
    }
    for (ULONG i = 0; i < commandCount; ++i) {
        commands[i].cmdf =
            link_->alive() && link_->owner != nullptr
                ? link_->owner->DocumentCommandStatus(*link_->page, group, commands[i].cmdID)
                : 0;
    }
    if (text != nullptr) {
        text->cwActual = 0;
    }
    return S_OK;
}

HRESULT HtmlDocumentObject::Exec(const GUID* group, DWORD command, DWORD options, VARIANT* input,
                                 VARIANT* output) {
    if (!IsKnownGroup(group)) {
        return OLECMDERR_E_UNKNOWNGROUP;
    }
    if (!link_->alive() || link_->owner == nullptr) {
        return E_FAIL;
    }
    return link_->owner->DocumentCommand(*link_->page, group, command, options, input, output);
}

}  // namespace platform::webcontrol
