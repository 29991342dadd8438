#include "platform/webcontrol/TravelLogStorage.h"

#include <algorithm>

#include "platform/text/Encoding.h"
#include "platform/webcontrol/TravelLogEntryObject.h"
#include "platform/webcontrol/TravelLogEnumerator.h"

namespace platform::webcontrol {

TravelLogStorage::TravelLogStorage(TravelHost& host) : host_(host) {
    host_.TravelHostIdentity()->AddRef();
}

TravelLogStorage::~TravelLogStorage() {
    host_.TravelHostIdentity()->Release();
}

std::vector<TravelLog::Entry> TravelLogStorage::Select(DWORD flags) const {
    const TravelLog& log = host_.History();
    std::vector<TravelLog::Entry> back = log.Back();
    std::vector<TravelLog::Entry> forward = log.Forward();
    std::optional<TravelLog::Entry> current = log.Current();
    bool wantBack = (flags & TLEF_RELATIVE_BACK) != 0;
    bool wantForward = (flags & TLEF_RELATIVE_FORE) != 0;
    bool wantCurrent = (flags & TLEF_RELATIVE_INCLUDE_CURRENT) != 0 && current;
    std::vector<TravelLog::Entry> selected;
    if (wantBack && wantForward) {
        selected.assign(back.rbegin(), back.rend());
        if (wantCurrent) {
            selected.push_back(*current);
        }
        selected.insert(selected.end(), forward.begin(), forward.end());
        return selected;
    }
    if (wantCurrent) {
        selected.push_back(*current);
    }
    const std::vector<TravelLog::Entry>& side = wantBack ? back : forward;
    if (wantBack || wantForward) {
        selected.insert(selected.end(), side.begin(), side.end());
    }
    return selected;
}

HRESULT TravelLogStorage::CreateEntry(LPCOLESTR, LPCOLESTR, ITravelLogEntry*, BOOL,
                                      ITravelLogEntry** entry) {
    if (entry != nullptr) {
        *entry = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT TravelLogStorage::TravelTo(ITravelLogEntry* entry) {
    auto* known = dynamic_cast<TravelLogEntryObject*>(entry);
    if (known == nullptr) {
        return E_INVALIDARG;
    }
    return host_.TravelToEntry(known->id());
}

HRESULT TravelLogStorage::EnumEntries(DWORD flags, IEnumTravelLogEntry** entries) {
    if (entries == nullptr) {
        return E_POINTER;
    }
    *entries = new TravelLogEnumerator(Select(flags));
    return S_OK;
}

HRESULT TravelLogStorage::FindEntries(DWORD flags, LPCOLESTR url, IEnumTravelLogEntry** entries) {
    if (entries == nullptr || url == nullptr) {
        return E_POINTER;
    }
    std::string wanted = Utf16ToUtf8(url);
    std::vector<TravelLog::Entry> found = Select(flags);
    std::erase_if(found, [&](const TravelLog::Entry& entry) { return entry.url != wanted; });
    *entries = new TravelLogEnumerator(std::move(found));
    return S_OK;
}

HRESULT TravelLogStorage::GetCount(DWORD flags, DWORD* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = static_cast<DWORD>(Select(flags).size());
    return S_OK;
}

HRESULT TravelLogStorage::RemoveEntry(ITravelLogEntry*) {
    return E_NOTIMPL;
}

HRESULT TravelLogStorage::GetRelativeEntry(int offset, ITravelLogEntry** entry) {
    if (entry == nullptr) {
        return E_POINTER;
    }
    *entry = nullptr;
    std::optional<TravelLog::Entry> found = host_.History().Relative(offset);
    if (!found) {
        return E_FAIL;
    }
    *entry = new TravelLogEntryObject(std::move(*found));
    return S_OK;
}

}  // namespace platform::webcontrol
