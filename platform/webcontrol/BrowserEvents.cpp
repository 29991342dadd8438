#include "platform/webcontrol/BrowserEvents.h"

#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/WebBrowserInterface.h"

namespace platform::webcontrol {

namespace {

// A value the event owns for the length of the call.
class OwnedVariant {
public:
    OwnedVariant() { VariantInit(&value_); }
    explicit OwnedVariant(const std::string& text) : OwnedVariant() {
        value_.vt = VT_BSTR;
        value_.bstrVal = BstrFromUtf8(text);
    }
    explicit OwnedVariant(LONG number) : OwnedVariant() {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    ~OwnedVariant() { VariantClear(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT* get() { return &value_; }

private:
    VARIANT value_;
};

VARIANT ByRef(VARIANT* value) {
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = value;
    return reference;
}

VARIANT BoolRef(VARIANT_BOOL* value) {
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_BOOL;
    reference.pboolVal = value;
    return reference;
}

VARIANT Object(IDispatch* object) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = object;
    return value;
}

VARIANT Number(LONG number) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

}  // namespace

void BrowserEvents::Raise(DISPID member, VARIANT* arguments, UINT count) {
    DISPPARAMS parameters{arguments, nullptr, count, 0};
    point_.Raise(member, &parameters);
}

bool BrowserEvents::BeforeNavigate2(IDispatch* browser, const std::string& url,
                                    const std::string& targetFrame) {
    OwnedVariant address(url);
    OwnedVariant flags(LONG{0});
    OwnedVariant target;
    if (!targetFrame.empty()) {
        VariantClear(target.get());
        target.get()->vt = VT_BSTR;
        target.get()->bstrVal = BstrFromUtf8(targetFrame);
    }
    OwnedVariant postData;
    OwnedVariant headers("");
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT arguments[] = {BoolRef(&cancel),    ByRef(headers.get()), ByRef(postData.get()),
                           ByRef(target.get()), ByRef(flags.get()),   ByRef(address.get()),
                           Object(browser)};
    Raise(DISPID_BEFORENAVIGATE2, arguments, 7);
    return cancel != VARIANT_FALSE;
}

bool BrowserEvents::NewWindow2(IDispatch** browser) {
    *browser = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT place;
    VariantInit(&place);
    place.vt = VT_BYREF | VT_DISPATCH;
    place.ppdispVal = browser;
    VARIANT arguments[] = {BoolRef(&cancel), place};
    Raise(DISPID_NEWWINDOW2, arguments, 2);
    return cancel != VARIANT_FALSE;
}

void BrowserEvents::NavigateComplete2(IDispatch* browser, const std::string& url) {
    OwnedVariant address(url);
    VARIANT arguments[] = {ByRef(address.get()), Object(browser)};
    Raise(DISPID_NAVIGATECOMPLETE2, arguments, 2);
}

void BrowserEvents::DocumentComplete(IDispatch* browser, const std::string& url) {
    OwnedVariant address(url);
    VARIANT arguments[] = {ByRef(address.get()), Object(browser)};
    Raise(DISPID_DOCUMENTCOMPLETE, arguments, 2);
}

bool BrowserEvents::NavigateError(IDispatch* browser, const std::string& url,
                                  const std::string& targetFrame, LONG status) {
    OwnedVariant address(url);
    OwnedVariant target(targetFrame);
    OwnedVariant code(status);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT arguments[] = {BoolRef(&cancel), ByRef(code.get()), ByRef(target.get()),
                           ByRef(address.get()), Object(browser)};
    Raise(DISPID_NAVIGATEERROR, arguments, 5);
    return cancel != VARIANT_FALSE;
}

void BrowserEvents::DownloadBegin() {
    Raise(DISPID_DOWNLOADBEGIN, nullptr, 0);
}

void BrowserEvents::DownloadComplete() {
    Raise(DISPID_DOWNLOADCOMPLETE, nullptr, 0);
}

void BrowserEvents::ProgressChange(LONG progress, LONG progressMax) {
    VARIANT arguments[] = {Number(progressMax), Number(progress)};
    Raise(DISPID_PROGRESSCHANGE, arguments, 2);
}

void BrowserEvents::StatusTextChange(const std::string& text) {
    OwnedVariant value(text);
    Raise(DISPID_STATUSTEXTCHANGE, value.get(), 1);
}

void BrowserEvents::TitleChange(const std::string& text) {
    OwnedVariant value(text);
    Raise(DISPID_TITLECHANGE, value.get(), 1);
}

void BrowserEvents::CommandStateChange(LONG command, bool enable) {
    VARIANT enabled;
    VariantInit(&enabled);
    enabled.vt = VT_BOOL;
    enabled.boolVal = enable ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT arguments[] = {enabled, Number(command)};
    Raise(DISPID_COMMANDSTATECHANGE, arguments, 2);
}

bool BrowserEvents::WindowClosing(bool childWindow) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_BOOL;
    child.boolVal = childWindow ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT arguments[] = {BoolRef(&cancel), child};
    Raise(DISPID_WINDOWCLOSING, arguments, 2);
    return cancel != VARIANT_FALSE;
}

}  // namespace platform::webcontrol
