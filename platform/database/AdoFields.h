// A record set's Fields collection: one Field per column of its rows.
#pragma once

#include <memory>

#include "platform/com/ComObject.h"
#include "platform/database/AdoInterfaces.h"
#include "platform/database/RecordsetData.h"

namespace platform {

class AdoFields : public ComObject<Fields, ISupportErrorInfo> {
public:
    explicit AdoFields(std::shared_ptr<RecordsetData> data);

    HRESULT get_Count(long* count) override;
    HRESULT get_Item(VARIANT index, Field** field) override;

    HRESULT InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    // The column that `index` names, or -1.
    long FindColumn(const VARIANT& index) const;

    std::shared_ptr<RecordsetData> data_;
};

}  // namespace platform
