#include "platform/webcontrol/HtmlElementObject.h"

#include <new>

#include "platform/web/HtmlSerializer.h"
#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/HtmlCollectionObject.h"

namespace platform::webcontrol {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// Attribute names compare without case, as the original object model compares them by default.
std::string AttributeName(BSTR name) {
    return Lower(Utf8FromBstr(name));
}

std::vector<web::HtmlNode*> Descendants(web::HtmlNode& element) {
    std::vector<web::HtmlNode*> found;
    for (web::HtmlNode* node = element.Next(&element); node != nullptr;
         node = node->Next(&element)) {
        if (node->IsElement()) {
            found.push_back(node);
        }
    }
    return found;
}

}  // namespace

IHTMLElement* HtmlElementObject::Create(DocumentLinkPtr link, const web::HtmlNode& element) {
    auto* object = new (std::nothrow) HtmlElementObject(std::move(link), element.serial());
    return object;
}

web::HtmlNode* HtmlElementObject::Node() const {
    if (!link_->alive()) {
        return nullptr;
    }
    return link_->page->document().FindNode(serial_);
}

HRESULT HtmlElementObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    web::HtmlNode* node = Node();
    bool refused = (IsEqualIID(iid, IID_IHTMLAnchorElement) && !(node && node->Is("a"))) ||
                   (IsEqualIID(iid, IID_IHTMLImgElement) && !(node && node->Is("img"))) ||
                   (IsEqualIID(iid, IID_IHTMLObjectElement) && !(node && node->Is("object")));
    if (refused) {
        return E_NOINTERFACE;
    }
    return HtmlObject::QueryInterface(iid, object);
}

HRESULT HtmlElementObject::ReadAttribute(std::string_view name, BSTR* out) const {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    const std::string* value = node->FindAttribute(name);
    return value == nullptr ? S_OK : ReturnText(*value, out);
}

HRESULT HtmlElementObject::WriteAttribute(std::string_view name, BSTR value) {
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    node->SetAttribute(name, Utf8FromBstr(value));
    return S_OK;
}

HRESULT HtmlElementObject::setAttribute(BSTR name, VARIANT value, LONG) {
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    if (SysStringLen(name) == 0) {
        return E_INVALIDARG;
    }
    node->SetAttribute(AttributeName(name), Utf8FromVariant(&value));
    return S_OK;
}

HRESULT HtmlElementObject::getAttribute(BSTR name, LONG, VARIANT* value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    VariantInit(value);
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    const std::string* found = node->FindAttribute(AttributeName(name));
    if (found == nullptr) {
        value->vt = VT_NULL;
        return S_OK;
    }
    value->vt = VT_BSTR;
    return ReturnText(*found, &value->bstrVal);
}

HRESULT HtmlElementObject::removeAttribute(BSTR name, LONG, VARIANT_BOOL* removed) {
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    std::string key = AttributeName(name);
    bool had = node->HasAttribute(key);
    node->RemoveAttribute(key);
    if (removed != nullptr) {
        *removed = had ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT HtmlElementObject::put_className(BSTR name) {
    return WriteAttribute("class", name);
}

HRESULT HtmlElementObject::get_className(BSTR* name) {
    return ReadAttribute("class", name);
}

HRESULT HtmlElementObject::put_id(BSTR id) {
    return WriteAttribute("id", id);
}

HRESULT HtmlElementObject::get_id(BSTR* id) {
    return ReadAttribute("id", id);
}

HRESULT HtmlElementObject::get_tagName(BSTR* tag) {
    return ReadNodeText(tag, [&](const web::HtmlNode& node) { return Upper(node.tag()); });
}

HRESULT HtmlElementObject::get_parentElement(IHTMLElement** parent) {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    web::HtmlNode* up = node->ParentElement();
    if (up != nullptr) {
        *parent = Create(link_, *up);
        if (*parent == nullptr) {
            return E_OUTOFMEMORY;
        }
    }
    return S_OK;
}

HRESULT HtmlElementObject::put_innerHTML(BSTR html) {
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    link_->page->document().SetInnerHtml(*node, Utf8FromBstr(html));
    return S_OK;
}

HRESULT HtmlElementObject::get_innerHTML(BSTR* html) {
    return ReadNodeText(html, [&](const web::HtmlNode& node) { return web::InnerHtml(node); });
}

HRESULT HtmlElementObject::put_innerText(BSTR text) {
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    link_->page->document().SetInnerText(*node, Utf8FromBstr(text));
    return S_OK;
}

HRESULT HtmlElementObject::get_innerText(BSTR* text) {
    return ReadNodeText(text, [&](const web::HtmlNode& node) { return web::InnerText(node); });
}

HRESULT HtmlElementObject::get_outerHTML(BSTR* html) {
    return ReadNodeText(html, [&](const web::HtmlNode& node) { return web::OuterHtml(node); });
}

HRESULT HtmlElementObject::get_children(IDispatch** children) {
    if (children == nullptr) {
        return E_POINTER;
    }
    *children = nullptr;
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    std::vector<web::HtmlNode*> elements;
    for (const auto& child : node->children()) {
        if (child->IsElement()) {
            elements.push_back(child.get());
        }
    }
    *children = HtmlCollectionObject::Create(link_, elements);
    return *children == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT HtmlElementObject::get_all(IDispatch** all) {
    if (all == nullptr) {
        return E_POINTER;
    }
    *all = nullptr;
    web::HtmlNode* node = Node();
    if (node == nullptr) {
        return E_FAIL;
    }
    *all = HtmlCollectionObject::Create(link_, Descendants(*node));
    return *all == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT HtmlElementObject::get_href(BSTR* href) {
    return ReadNodeText(href, [&](const web::HtmlNode& node) {
        const web::HtmlDocument& document = link_->page->document();
        return node.Is("img") ? document.Src(node) : document.Href(node);
    });
}

HRESULT HtmlElementObject::get_target(BSTR* target) {
    return ReadAttribute("target", target);
}

HRESULT HtmlElementObject::get_name(BSTR* name) {
    return ReadAttribute("name", name);
}

HRESULT HtmlElementObject::get_src(BSTR* src) {
    return ReadNodeText(
        src, [&](const web::HtmlNode& node) { return link_->page->document().Src(node); });
}

}  // namespace platform::webcontrol
