#include "platform/webcontrol/TravelLogEnumerator.h"

#include "platform/webcontrol/TravelLogEntryObject.h"

namespace platform::webcontrol {

HRESULT TravelLogEnumerator::Next(ULONG count, ITravelLogEntry** entries, ULONG* fetched) {
    if (entries == nullptr || (count > 1 && fetched == nullptr)) {
        return E_POINTER;
    }
    ULONG given = 0;
    while (given < count && next_ < entries_.size()) {
        entries[given++] = new TravelLogEntryObject(entries_[next_++]);
    }
    if (fetched != nullptr) {
        *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
}

HRESULT TravelLogEnumerator::Skip(ULONG count) {
    size_t left = entries_.size() - next_;
    next_ += std::min<size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
}

HRESULT TravelLogEnumerator::Reset() {
    next_ = 0;
    return S_OK;
}

HRESULT TravelLogEnumerator::Clone(IEnumTravelLogEntry** copy) {
    if (copy == nullptr) {
        return E_POINTER;
    }
    auto* clone = new TravelLogEnumerator(entries_);
    clone->next_ = next_;
    *copy = clone;
    return S_OK;
}

}  // namespace platform::webcontrol
