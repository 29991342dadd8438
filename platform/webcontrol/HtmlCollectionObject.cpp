#include "platform/webcontrol/HtmlCollectionObject.h"

#include <new>
#include <optional>

#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/HtmlElementObject.h"

namespace platform::webcontrol {

namespace {

bool SameWithoutCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

bool IsText(const VARIANT& value) {
    VARTYPE type = value.vt;
    if (type == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) {
        type = value.pvarVal->vt;
    }
    return (type & VT_TYPEMASK) == VT_BSTR;
}

bool IsMissing(const VARIANT& value) {
    return value.vt == VT_EMPTY || value.vt == VT_NULL ||
           (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

// The position a number value names, or nothing for a value that is not a number.
std::optional<LONG> PositionOf(const VARIANT& value) {
    if (IsMissing(value) || IsText(value)) {
        return std::nullopt;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, &value, 0, VT_I4))) {
        return std::nullopt;
    }
    return number.lVal;
}

}  // namespace

IHTMLElementCollection* HtmlCollectionObject::Create(DocumentLinkPtr link,
                                                     const std::vector<web::HtmlNode*>& elements) {
    std::vector<uint64_t> serials;
    serials.reserve(elements.size());
    for (const web::HtmlNode* element : elements) {
        serials.push_back(element->serial());
    }
    return new (std::nothrow) HtmlCollectionObject(std::move(link), std::move(serials));
}

std::vector<web::HtmlNode*> HtmlCollectionObject::LiveElements() const {
    std::vector<web::HtmlNode*> elements;
    if (!link_->alive()) {
        return elements;
    }
    for (uint64_t serial : serials_) {
        if (web::HtmlNode* node = link_->page->document().FindNode(serial)) {
            elements.push_back(node);
        }
    }
    return elements;
}

HRESULT HtmlCollectionObject::get_length(LONG* length) {
    if (length == nullptr) {
        return E_POINTER;
    }
    *length = static_cast<LONG>(LiveElements().size());
    return S_OK;
}

HRESULT HtmlCollectionObject::item(VARIANT name, VARIANT index, IDispatch** element) {
    if (element == nullptr) {
        return E_POINTER;
    }
    *element = nullptr;
    std::vector<web::HtmlNode*> elements = LiveElements();
    std::optional<LONG> position = PositionOf(name);
    if (!position && IsText(name)) {
        std::string key = Utf8FromVariant(&name);
        std::vector<web::HtmlNode*> matches;
        for (web::HtmlNode* node : elements) {
            if (node->Attribute("id") == key || node->Attribute("name") == key) {
                matches.push_back(node);
            }
        }
        std::optional<LONG> within = PositionOf(index);
        if (matches.size() > 1 && !within) {
            *element = Create(link_, matches);
            return *element == nullptr ? E_OUTOFMEMORY : S_OK;
        }
        elements = std::move(matches);
        position = within.value_or(0);
    }
    if (!position || *position < 0 || static_cast<size_t>(*position) >= elements.size()) {
        return S_OK;
    }
    *element = HtmlElementObject::Create(link_, *elements[static_cast<size_t>(*position)]);
    return *element == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT HtmlCollectionObject::tags(VARIANT tag, IDispatch** elements) {
    if (elements == nullptr) {
        return E_POINTER;
    }
    *elements = nullptr;
    std::string name = Utf8FromVariant(&tag);
    std::vector<web::HtmlNode*> matches;
    for (web::HtmlNode* node : LiveElements()) {
        if (SameWithoutCase(node->tag(), name)) {
            matches.push_back(node);
        }
    }
    *elements = Create(link_, matches);
    return *elements == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace platform::webcontrol
