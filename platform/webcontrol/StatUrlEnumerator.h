// The entries of the URL history as they were when the enumeration began, optionally limited to
// addresses with a given start.
#pragma once

#include <string>
#include <vector>

#include "platform/com/ComObject.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "platform/webcontrol/UrlHistoryStore.h"

namespace platform::webcontrol {

class StatUrlEnumerator final : public ComObject<IEnumSTATURL> {
public:
    explicit StatUrlEnumerator(std::vector<UrlVisit> entries) : entries_(std::move(entries)) {}

    HRESULT Next(ULONG count, LPSTATURL entries, ULONG* fetched) override;
    HRESULT Skip(ULONG count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumSTATURL** copy) override;
    HRESULT SetFilter(LPCOLESTR filter, DWORD flags) override;

private:
    // Moves to the next entry that passes the filter; false at the end.
    bool Advance();

    std::vector<UrlVisit> entries_;
    size_t next_ = 0;
    std::string filter_;
    DWORD flags_ = 0;
};

}  // namespace platform::webcontrol
