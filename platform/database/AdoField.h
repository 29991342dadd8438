// One column of a record set, read at the record set's current record.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/com/ComObject.h"
#include "platform/database/AdoInterfaces.h"
#include "platform/database/RecordsetData.h"

namespace platform {

class AdoField : public ComObject<Field, ISupportErrorInfo> {
public:
    AdoField(std::shared_ptr<RecordsetData> data, size_t column);

    HRESULT get_Name(BSTR* name) override;
    HRESULT get_Value(VARIANT* value) override;

    HRESULT InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    std::shared_ptr<RecordsetData> data_;
    size_t column_;
};

}  // namespace platform
