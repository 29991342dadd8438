#include "platform/webcontrol/StatUrlEnumerator.h"

#include "platform/text/Encoding.h"
#include "platform/webcontrol/UrlHistory.h"

namespace platform::webcontrol {

bool StatUrlEnumerator::Advance() {
    while (next_ < entries_.size() && !entries_[next_].url.starts_with(filter_)) {
        ++next_;
    }
    return next_ < entries_.size();
}

HRESULT StatUrlEnumerator::Next(ULONG count, LPSTATURL entries, ULONG* fetched) {
    if (entries == nullptr || (count > 1 && fetched == nullptr)) {
        return E_POINTER;
    }
    ULONG given = 0;
    while (given < count && Advance()) {
        UrlHistory::Fill(entries_[next_++], flags_, entries[given]);
        ++given;
    }
    if (fetched != nullptr) {
        *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
}

HRESULT StatUrlEnumerator::Skip(ULONG count) {
    for (ULONG i = 0; i < count; ++i) {
        if (!Advance()) {
            return S_FALSE;
        }
        ++next_;
    }
    return S_OK;
}

HRESULT StatUrlEnumerator::Reset() {
    next_ = 0;
    return S_OK;
}

HRESULT StatUrlEnumerator::Clone(IEnumSTATURL** copy) {
    if (copy == nullptr) {
        return E_POINTER;
    }
    auto* clone = new StatUrlEnumerator(entries_);
    clone->next_ = next_;
    clone->filter_ = filter_;
    clone->flags_ = flags_;
    *copy = clone;
    return S_OK;
}

HRESULT StatUrlEnumerator::SetFilter(LPCOLESTR filter, DWORD flags) {
    filter_ = filter != nullptr ? Utf16ToUtf8(filter) : std::string();
    flags_ = flags;
    return S_OK;
}

}  // namespace platform::webcontrol
