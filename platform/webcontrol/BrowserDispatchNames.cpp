#include "platform/webcontrol/BrowserDispatchNames.h"

#include <string_view>

#include "platform/webcontrol/WebBrowserInterface.h"

namespace platform::webcontrol {

namespace {

struct NamedId {
    std::u16string_view name;
    DISPID id;
};

constexpr NamedId kNames[] = {
    {u"GoBack", DISPID_GOBACK},
    {u"GoForward", DISPID_GOFORWARD},
    {u"GoHome", DISPID_GOHOME},
    {u"Navigate", DISPID_NAVIGATE},
    {u"Refresh", DISPID_REFRESH},
    {u"Refresh2", DISPID_REFRESH2},
    {u"Stop", DISPID_STOP},
    {u"Application", DISPID_APPLICATION},
    {u"Parent", DISPID_PARENT},
    {u"Document", DISPID_DOCUMENT},
    {u"LocationName", DISPID_LOCATIONNAME},
    {u"LocationURL", DISPID_LOCATIONURL},
    {u"Busy", DISPID_BUSY},
    {u"Navigate2", DISPID_NAVIGATE2},
    {u"QueryStatusWB", DISPID_QUERYSTATUSWB},
    {u"ExecWB", DISPID_EXECWB},
    {u"ReadyState", DISPID_READYSTATE},
    {u"Silent", DISPID_SILENT},
    {u"RegisterAsBrowser", DISPID_REGISTERASBROWSER},
};

char16_t Folded(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameWithoutCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

HRESULT BrowserDispatchIds(LPOLESTR* names, UINT nameCount, DISPID* ids) {
    if (names == nullptr || ids == nullptr) {
        return E_POINTER;
    }
    HRESULT result = S_OK;
    for (UINT i = 0; i < nameCount; ++i) {
        ids[i] = DISPID_UNKNOWN;
        std::u16string_view name = names[i] != nullptr ? names[i] : u"";
        for (const NamedId& known : kNames) {
            if (SameWithoutCase(known.name, name)) {
                ids[i] = known.id;
            }
        }
        if (ids[i] == DISPID_UNKNOWN) {
            result = DISP_E_UNKNOWNNAME;
        }
    }
    return result;
}

}  // namespace platform::webcontrol
