// The HTML object model interfaces programs call on a loaded document. Only the members the
// programs and their tests use are declared, in the original relative order. Strings are
// automation strings (UTF-16); a missing text comes back as a null BSTR.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/SafeArray.h"

DEFINE_GUID(IID_IHTMLDocument2, 0x332C4425, 0x26CB, 0x11D0, 0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9,
            0x01, 0x19);
DEFINE_GUID(IID_IHTMLElement, 0x3050F1FF, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE,
            0x0B);
DEFINE_GUID(IID_IHTMLElementCollection, 0x3050F21F, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00,
            0xBD, 0xCE, 0x0B);
DEFINE_GUID(IID_IHTMLAnchorElement, 0x3050F1DA, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD,
            0xCE, 0x0B);
DEFINE_GUID(IID_IHTMLImgElement, 0x3050F240, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD,
            0xCE, 0x0B);
DEFINE_GUID(IID_IHTMLObjectElement, 0x3050F24F, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD,
            0xCE, 0x0B);
// The command group of the document's own commands (find, view source, options).
DEFINE_GUID(CGID_MSHTML, 0xED016940, 0xBD5B, 0x11CF, 0xBA, 0x4E, 0x00, 0xC0, 0x4F, 0xD7, 0x08,
            0x16);

#define IDM_FIND 1
#define IDM_VIEWSOURCE 2
#define IDM_OPTIONS 3

struct IHTMLElementCollection;

struct IHTMLElement : IDispatch {
    static constexpr const IID& kIid = IID_IHTMLElement;
    using Base = IDispatch;

    virtual HRESULT setAttribute(BSTR name, VARIANT value, LONG flags) = 0;
    // VT_NULL when the element has no such attribute.
    virtual HRESULT getAttribute(BSTR name, LONG flags, VARIANT* value) = 0;
    virtual HRESULT removeAttribute(BSTR name, LONG flags, VARIANT_BOOL* removed) = 0;
    virtual HRESULT put_className(BSTR name) = 0;
    virtual HRESULT get_className(BSTR* name) = 0;
    virtual HRESULT put_id(BSTR id) = 0;
    virtual HRESULT get_id(BSTR* id) = 0;
    // Upper case: "A", "IMG", "OBJECT".
    virtual HRESULT get_tagName(BSTR* tag) = 0;
    virtual HRESULT get_parentElement(IHTMLElement** parent) = 0;
    virtual HRESULT put_innerHTML(BSTR html) = 0;
    virtual HRESULT get_innerHTML(BSTR* html) = 0;
    virtual HRESULT put_innerText(BSTR text) = 0;
    virtual HRESULT get_innerText(BSTR* text) = 0;
    virtual HRESULT get_outerHTML(BSTR* html) = 0;
    // An IHTMLElementCollection of the child elements.
    virtual HRESULT get_children(IDispatch** children) = 0;
    // An IHTMLElementCollection of every element below this one.
    virtual HRESULT get_all(IDispatch** all) = 0;

protected:
    ~IHTMLElement() = default;
};

struct IHTMLElementCollection : IDispatch {
    static constexpr const IID& kIid = IID_IHTMLElementCollection;
    using Base = IDispatch;

    virtual HRESULT get_length(LONG* length) = 0;
    // A number (any integer type) picks by position; a text picks the elements whose id or name
    // equals it: one element, or a collection of them unless `index` picks one. S_OK with null
    // when nothing matches.
    virtual HRESULT item(VARIANT name, VARIANT index, IDispatch** element) = 0;
    // The elements of one tag name, as a collection.
    virtual HRESULT tags(VARIANT tag, IDispatch** elements) = 0;

protected:
    ~IHTMLElementCollection() = default;
};

struct IHTMLDocument2 : IDispatch {
    static constexpr const IID& kIid = IID_IHTMLDocument2;
    using Base = IDispatch;

    // Every element in document order, starting with HTML, HEAD and BODY.
    virtual HRESULT get_all(IHTMLElementCollection** all) = 0;
    virtual HRESULT get_body(IHTMLElement** body) = 0;
    virtual HRESULT get_images(IHTMLElementCollection** images) = 0;
    virtual HRESULT get_links(IHTMLElementCollection** links) = 0;
    virtual HRESULT get_anchors(IHTMLElementCollection** anchors) = 0;
    virtual HRESULT put_title(BSTR title) = 0;
    virtual HRESULT get_title(BSTR* title) = 0;
    virtual HRESULT get_readyState(BSTR* state) = 0;
    virtual HRESULT get_URL(BSTR* url) = 0;
    // Takes effect when the page is decoded again (Refresh2 on the control).
    virtual HRESULT put_charset(BSTR charset) = 0;
    virtual HRESULT get_charset(BSTR* charset) = 0;
    // Each element of the array (VT_VARIANT or VT_BSTR) is written as markup.
    virtual HRESULT write(SAFEARRAY* markup) = 0;
    virtual HRESULT writeln(SAFEARRAY* markup) = 0;
    virtual HRESULT close() = 0;

protected:
    ~IHTMLDocument2() = default;
};

struct IHTMLAnchorElement : IDispatch {
    static constexpr const IID& kIid = IID_IHTMLAnchorElement;
    using Base = IDispatch;

    // The href resolved against the document.
    virtual HRESULT get_href(BSTR* href) = 0;
    virtual HRESULT get_target(BSTR* target) = 0;
    virtual HRESULT get_name(BSTR* name) = 0;

protected:
    ~IHTMLAnchorElement() = default;
};

struct IHTMLImgElement : IDispatch {
    static constexpr const IID& kIid = IID_IHTMLImgElement;
    using Base = IDispatch;

    // Both give the source resolved against the document.
    virtual HRESULT get_src(BSTR* src) = 0;
    virtual HRESULT get_href(BSTR* href) = 0;

protected:
    ~IHTMLImgElement() = default;
};

struct IHTMLObjectElement : IDispatch {
    static constexpr const IID& kIid = IID_IHTMLObjectElement;
    using Base = IDispatch;

protected:
    ~IHTMLObjectElement() = default;
};
