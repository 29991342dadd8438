// The travel log service of one control: ITravelLogStg over the control's TravelLog. It holds a
// reference on the control, so the control lives as long as a program keeps the storage.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/webcontrol/TravelLog.h"
#include "platform/webcontrol/TravelLogInterfaces.h"

namespace platform::webcontrol {

// What the storage needs of the control.
class TravelHost {
public:
    virtual IUnknown* TravelHostIdentity() = 0;
    virtual TravelLog& History() = 0;
    // Starts the navigation to the entry, as GoBack and GoForward do.
    virtual HRESULT TravelToEntry(uint64_t id) = 0;

protected:
    ~TravelHost() = default;
};

class TravelLogStorage final : public ComObject<ITravelLogStg> {
public:
    explicit TravelLogStorage(TravelHost& host);

    HRESULT CreateEntry(LPCOLESTR url, LPCOLESTR title, ITravelLogEntry* relativeTo, BOOL prepend,
                        ITravelLogEntry** entry) override;
    HRESULT TravelTo(ITravelLogEntry* entry) override;
    HRESULT EnumEntries(DWORD flags, IEnumTravelLogEntry** entries) override;
    HRESULT FindEntries(DWORD flags, LPCOLESTR url, IEnumTravelLogEntry** entries) override;
    HRESULT GetCount(DWORD flags, DWORD* count) override;
    HRESULT RemoveEntry(ITravelLogEntry* entry) override;
    HRESULT GetRelativeEntry(int offset, ITravelLogEntry** entry) override;

private:
    ~TravelLogStorage() override;
    std::vector<TravelLog::Entry> Select(DWORD flags) const;

    TravelHost& host_;
};

}  // namespace platform::webcontrol
