#include "platform/webcontrol/WebBrowser.h"

#include "platform/text/Encoding.h"
#include "platform/webcontrol/FrameBrowser.h"
#include "platform/webcontrol/HtmlDocumentObject.h"
#include "platform/webcontrol/PageFetcher.h"
#include "platform/webcontrol/ScriptValueConversion.h"

namespace platform::webcontrol {

namespace {

// Calls a member of the external object by name: nothing when the object has no such member.
std::optional<DISPID> MemberId(IDispatch& object, const std::string& name) {
    std::u16string wide = Utf8ToUtf16(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) ||
        id == DISPID_UNKNOWN) {
        return std::nullopt;
    }
    return id;
}

}  // namespace

void WebBrowser::OnStatusText(const std::string& text) {
    events_.StatusTextChange(text);
}

void WebBrowser::OnTitleChange(const std::string& title) {
    title_ = title;
    history_.SetCurrentTitle(title);
    events_.TitleChange(title);
}

void WebBrowser::OnNavigate(web::Page& source, const std::string& address,
                            const std::string& target) {
    web::Page* frame = nullptr;
    if (target.empty() || target == "_self") {
        frame = &source;
    } else if (target == "_parent") {
        frame = source.parent() != nullptr ? source.parent() : &source;
    } else if (target != "_top") {
        frame = page_ != nullptr ? FindFrame(*page_, target) : nullptr;
        if (frame == nullptr) {
            OpenNewWindow(address);
            return;
        }
    }
    StartNavigation(address, frame, std::nullopt);
}

void WebBrowser::OnNewWindow(const std::string& address, const std::string& target) {
    web::Page* frame = !target.empty() && target != "_blank" && page_ != nullptr
                           ? FindFrame(*page_, target)
                           : nullptr;
    if (frame != nullptr) {
        StartNavigation(address, frame, std::nullopt);
        return;
    }
    OpenNewWindow(address);
}

void WebBrowser::OnWindowClose() {
    if (!events_.WindowClosing(false)) {
        closed_ = true;
    }
}

void WebBrowser::OnScriptError(const web::ScriptError&) {
    IOleCommandTarget* target = SiteInterface<IOleCommandTarget>();
    if (target == nullptr) {
        return;
    }
    VARIANT input;
    VariantInit(&input);
    if (page_ != nullptr && hasDocument_) {
        input.vt = VT_DISPATCH;
        input.pdispVal = DocumentObject(*page_);
    }
    VARIANT output;
    VariantInit(&output);
    output.vt = VT_BOOL;
    output.boolVal = VARIANT_TRUE;
    target->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, OLECMDEXECOPT_DODEFAULT,
                 &input, &output);
    VariantClear(&input);
    VariantClear(&output);
    target->Release();
}

void WebBrowser::Alert(const std::string&) {}

bool WebBrowser::Confirm(const std::string&) {
    return true;
}

std::optional<std::string> WebBrowser::Fetch(const std::string& address, FetchPurpose purpose) {
    if (purpose == FetchPurpose::Script) {
        FetchResult fetched = FetchAddress(address);
        return fetched.ok ? std::optional(std::move(fetched.bytes)) : std::nullopt;
    }
    auto link = std::make_shared<DocumentLink>();
    link->owner = this;
    auto* frame = new FrameBrowser(link);
    if (events_.BeforeNavigate2(frame, address, "")) {
        frame->Release();
        return std::nullopt;
    }
    FetchResult fetched = FetchAddress(address);
    if (!fetched.ok) {
        events_.NavigateError(frame, address, "", fetched.status);
        frame->Release();
        return std::nullopt;
    }
    events_.NavigateComplete2(frame, address);
    loadingFrames_.push_back({frame, address});
    return std::move(fetched.bytes);
}

IDispatch* WebBrowser::External() {
    if (external_ == nullptr) {
        if (IDocHostUIHandler* handler = SiteInterface<IDocHostUIHandler>()) {
            if (FAILED(handler->GetExternal(&external_))) {
                external_ = nullptr;
            }
            handler->Release();
        }
    }
    return external_;
}

std::optional<web::ScriptValue> WebBrowser::GetExternal(const std::string& name) {
    IDispatch* external = External();
    std::optional<DISPID> id = external != nullptr ? MemberId(*external, name) : std::nullopt;
    if (!id) {
        return std::nullopt;
    }
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    if (FAILED(external->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                &result, nullptr, nullptr))) {
        return web::ScriptValue::Method();
    }
    web::ScriptValue value = ScriptValueFromVariant(result);
    VariantClear(&result);
    return value;
}

bool WebBrowser::PutExternal(const std::string& name, const web::ScriptValue& value) {
    IDispatch* external = External();
    std::optional<DISPID> id = external != nullptr ? MemberId(*external, name) : std::nullopt;
    if (!id) {
        return false;
    }
    VARIANT argument = VariantFromScriptValue(value);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{&argument, &named, 1, 1};
    HRESULT result = external->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                      &parameters, nullptr, nullptr, nullptr);
    VariantClear(&argument);
    return SUCCEEDED(result);
}

std::optional<web::ScriptValue> WebBrowser::CallExternal(
    const std::string& name, const std::vector<web::ScriptValue>& arguments) {
    IDispatch* external = External();
    std::optional<DISPID> id = external != nullptr ? MemberId(*external, name) : std::nullopt;
    if (!id) {
        return std::nullopt;
    }
    std::vector<VARIANT> values;
    for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument) {
        values.push_back(VariantFromScriptValue(*argument));
    }
    DISPPARAMS parameters{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT status = external->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                      &parameters, &result, nullptr, nullptr);
    for (VARIANT& value : values) {
        VariantClear(&value);
    }
    std::optional<web::ScriptValue> value;
    if (SUCCEEDED(status)) {
        value = ScriptValueFromVariant(result);
    }
    VariantClear(&result);
    return value;
}

void WebBrowser::OnDocumentTitle(web::Page& page, const std::string& title) {
    if (&page == page_.get()) {
        OnTitleChange(title);
    }
}

void WebBrowser::AfterDocumentWork() {
    ArmPageTimer();
}

IDispatch* WebBrowser::ApplicationObject() {
    if (closed_) {
        return nullptr;
    }
    Self()->AddRef();
    return Self();
}

IDispatch* WebBrowser::DocumentObject(web::Page& page) {
    CachedDocument& cached = documents_[&page];
    if (cached.document == nullptr) {
        cached.link = std::make_shared<DocumentLink>();
        cached.link->page = &page;
        cached.link->owner = this;
        cached.document = HtmlDocumentObject::Create(cached.link);
        if (cached.document == nullptr) {
            documents_.erase(&page);
            return nullptr;
        }
    }
    IDispatch* document = static_cast<IHTMLDocument2*>(cached.document);
    document->AddRef();
    return document;
}

}  // namespace platform::webcontrol
