#include "platform/webcontrol/TravelLogEntryObject.h"

#include "platform/com/ComRuntime.h"
#include "platform/text/Encoding.h"

namespace platform::webcontrol {

namespace {

HRESULT TaskString(const std::string& utf8, LPOLESTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = CoTaskMemString(Utf8ToUtf16(utf8));
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace

HRESULT TravelLogEntryObject::GetTitle(LPOLESTR* title) {
    return TaskString(entry_.title, title);
}

HRESULT TravelLogEntryObject::GetURL(LPOLESTR* url) {
    return TaskString(entry_.url, url);
}

}  // namespace platform::webcontrol
