#include "platform/database/AdoInterfaces.h"

namespace {

template <typename Interface>
void ThrowOnFailure(HRESULT result, Interface* object) {
    if (FAILED(result)) {
        _com_issue_errorex(result, object, Interface::kIid);
    }
}

}  // namespace

_bstr_t Field::GetName() {
    BSTR name = nullptr;
    ThrowOnFailure(get_Name(&name), this);
    return _bstr_t(name, false);
}

_variant_t Field::GetValue() {
    VARIANT value;
    VariantInit(&value);
    ThrowOnFailure(get_Value(&value), this);
    return _variant_t(value, false);
}

long Fields::GetCount() {
    long count = 0;
    ThrowOnFailure(get_Count(&count), this);
    return count;
}

FieldPtr Fields::GetItem(const _variant_t& index) {
    Field* field = nullptr;
    ThrowOnFailure(get_Item(index, &field), this);
    return FieldPtr(field, false);
}

VARIANT_BOOL _Recordset::GetEOF() {
    VARIANT_BOOL endOfFile = VARIANT_FALSE;
    ThrowOnFailure(get_EOF(&endOfFile), this);
    return endOfFile;
}

FieldsPtr _Recordset::GetFields() {
    Fields* fields = nullptr;
    ThrowOnFailure(get_Fields(&fields), this);
    return FieldsPtr(fields, false);
}

HRESULT _Recordset::Close() {
    HRESULT result = raw_Close();
    ThrowOnFailure(result, this);
    return result;
}

HRESULT _Recordset::MoveNext() {
    HRESULT result = raw_MoveNext();
    ThrowOnFailure(result, this);
    return result;
}

HRESULT _Recordset::Open(const _variant_t& source, const _variant_t& activeConnection,
                         CursorTypeEnum cursorType, LockTypeEnum lockType, long options) {
    HRESULT result = raw_Open(source, activeConnection, cursorType, lockType, options);
    ThrowOnFailure(result, this);
    return result;
}

long _Recordset::GetState() {
    long state = adStateClosed;
    ThrowOnFailure(get_State(&state), this);
    return state;
}

HRESULT _Connection::Close() {
    HRESULT result = raw_Close();
    ThrowOnFailure(result, this);
    return result;
}

_RecordsetPtr _Connection::Execute(_bstr_t commandText, VARIANT* recordsAffected, long options) {
    _Recordset* recordset = nullptr;
    ThrowOnFailure(raw_Execute(commandText, recordsAffected, options, &recordset), this);
    return _RecordsetPtr(recordset, false);
}

HRESULT _Connection::Open(_bstr_t connectionString, _bstr_t userId, _bstr_t password,
                          long options) {
    HRESULT result = raw_Open(connectionString, userId, password, options);
    ThrowOnFailure(result, this);
    return result;
}

long _Connection::GetState() {
    long state = adStateClosed;
    ThrowOnFailure(get_State(&state), this);
    return state;
}
