// The record set object: a forward-only view of a statement's rows, closed until a statement
// that yields rows fills it.
#pragma once

#include <memory>

#include "platform/com/ComObject.h"
#include "platform/database/AdoInterfaces.h"
#include "platform/database/RecordsetData.h"

namespace platform {

class AdoRecordset : public ComObject<_Recordset, ISupportErrorInfo> {
public:
    AdoRecordset();

    // Opens the record set on the rows of `result`; a result of a statement without rows leaves
    // it closed.
    void Load(DatabaseEngine::Result result);

    HRESULT get_EOF(VARIANT_BOOL* endOfFile) override;
    HRESULT get_Fields(Fields** fields) override;
    HRESULT raw_Close() override;
    HRESULT raw_MoveNext() override;
    HRESULT raw_Open(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType,
                     LockTypeEnum lockType, long options) override;
    HRESULT get_State(long* state) override;

    HRESULT InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    HRESULT Fail(ErrorValueEnum error);

    std::shared_ptr<RecordsetData> data_;
};

}  // namespace platform
