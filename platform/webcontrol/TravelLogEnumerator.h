// A fixed list of travel log entries, enumerated one or more at a time.
#pragma once

#include <vector>

#include "platform/com/ComObject.h"
#include "platform/webcontrol/TravelLog.h"
#include "platform/webcontrol/TravelLogInterfaces.h"

namespace platform::webcontrol {

class TravelLogEnumerator final : public ComObject<IEnumTravelLogEntry> {
public:
    explicit TravelLogEnumerator(std::vector<TravelLog::Entry> entries)
        : entries_(std::move(entries)) {}

    HRESULT Next(ULONG count, ITravelLogEntry** entries, ULONG* fetched) override;
    HRESULT Skip(ULONG count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumTravelLogEntry** copy) override;

private:
    std::vector<TravelLog::Entry> entries_;
    size_t next_ = 0;
};

}  // namespace platform::webcontrol
