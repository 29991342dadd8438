// One travel log entry handed out to a program: a copy of the entry's address and title, and its
// id, by which the storage finds it again when the program travels to it.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/webcontrol/TravelLog.h"
#include "platform/webcontrol/TravelLogInterfaces.h"

namespace platform::webcontrol {

class TravelLogEntryObject final : public ComObject<ITravelLogEntry> {
public:
    explicit TravelLogEntryObject(TravelLog::Entry entry) : entry_(std::move(entry)) {}

    HRESULT GetTitle(LPOLESTR* title) override;
    HRESULT GetURL(LPOLESTR* url) override;

    uint64_t id() const { return entry_.id; }

private:
    TravelLog::Entry entry_;
};

}  // namespace platform::webcontrol
