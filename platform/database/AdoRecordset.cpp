#include "platform/database/AdoRecordset.h"

#include <new>

#include "platform/database/AdoConnection.h"
#include "platform/database/AdoErrors.h"
#include "platform/database/AdoFields.h"

namespace platform {

namespace {

constexpr const char* kSource = "ADODB.Recordset";

const VARIANT& Unwrapped(const VARIANT& value) {
    return value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr ? *value.pvarVal : value;
}

// The connection object that `value` holds, or null.
AdoConnection* ConnectionOf(const VARIANT& value) {
    const VARIANT& held = Unwrapped(value);
    if ((held.vt != VT_UNKNOWN && held.vt != VT_DISPATCH) || held.punkVal == nullptr) {
        return nullptr;
    }
    _ConnectionPtr connection(held.punkVal);
    return dynamic_cast<AdoConnection*>(connection.GetInterfacePtr());
}

}  // namespace

AdoRecordset::AdoRecordset() : data_(std::make_shared<RecordsetData>()) {}

void AdoRecordset::Load(DatabaseEngine::Result result) {
    data_->open = result.hasRows;
    data_->columns = std::move(result.columns);
    data_->rows = std::move(result.rows);
    data_->current = 0;
}

HRESULT AdoRecordset::get_EOF(VARIANT_BOOL* endOfFile) {
    if (endOfFile == nullptr) {
        return E_POINTER;
    }
    if (!data_->open) {
        return Fail(adErrObjectClosed);
    }
    *endOfFile = data_->AtEnd() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT AdoRecordset::get_Fields(Fields** fields) {
    if (fields == nullptr) {
        return E_POINTER;
    }
    *fields = nullptr;
    if (!data_->open) {
        return Fail(adErrObjectClosed);
    }
    *fields = new (std::nothrow) AdoFields(data_);
    if (*fields == nullptr) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT AdoRecordset::raw_Close() {
    if (!data_->open) {
        return Fail(adErrObjectClosed);
    }
    Load(DatabaseEngine::Result());
    return S_OK;
}

HRESULT AdoRecordset::raw_MoveNext() {
    if (!data_->open) {
        return Fail(adErrObjectClosed);
    }
    if (data_->AtEnd()) {
        return Fail(adErrNoCurrentRecord);
    }
    ++data_->current;
    return S_OK;
}

HRESULT AdoRecordset::raw_Open(VARIANT source, VARIANT activeConnection,
                               CursorTypeEnum /*cursorType*/, LockTypeEnum /*lockType*/,
                               long options) {
    if (data_->open) {
        return Fail(adErrObjectOpen);
    }
    const VARIANT& command = Unwrapped(source);
    AdoConnection* connection = ConnectionOf(activeConnection);
    if (command.vt != VT_BSTR || connection == nullptr || !AdoConnection::IsTextCommand(options)) {
        return Fail(adErrInvalidArgument);
    }
    if (connection->database() == nullptr) {
        return Fail(adErrObjectClosed);
    }
    try {
        Load(connection->database()->Run(ViewOfBstr(command.bstrVal)));
    } catch (const DatabaseEngine::Error& error) {
        return RaiseEngineError(IID__Recordset, error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT AdoRecordset::get_State(long* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    *state = data_->open ? adStateOpen : adStateClosed;
    return S_OK;
}

HRESULT AdoRecordset::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID__Recordset) ? S_OK : S_FALSE;
}

HRESULT AdoRecordset::Fail(ErrorValueEnum error) {
    return RaiseAdoError(IID__Recordset, error, kSource);
}

}  // namespace platform
