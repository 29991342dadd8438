#include "platform/database/AdoField.h"

#include <climits>
#include <cstring>

#include "platform/com/SafeArray.h"
#include "platform/database/AdoErrors.h"
#include "platform/time/OleDateTime.h"

namespace platform {

namespace {

constexpr const char* kSource = "ADODB.Field";

// The engine keeps integers in 64 bits; the programs read fields as 4-byte integers, so values
// that fit give VT_I4 and only larger ones VT_I8.
HRESULT ToVariant(const SqlValue& stored, VARIANT* value) {
    if (const auto* number = std::get_if<std::int64_t>(&stored)) {
        if (*number >= INT32_MIN && *number <= INT32_MAX) {
            value->vt = VT_I4;
            value->lVal = static_cast<LONG>(*number);
        } else {
            value->vt = VT_I8;
            value->llVal = *number;
        }
    } else if (const auto* real = std::get_if<double>(&stored)) {
        value->vt = VT_R8;
        value->dblVal = *real;
    } else if (const auto* text = std::get_if<std::u16string>(&stored)) {
        BSTR copy = BstrFromUtf16(*text);
        if (copy == nullptr) {
            return E_OUTOFMEMORY;
        }
        value->vt = VT_BSTR;
        value->bstrVal = copy;
    } else if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&stored)) {
        if (bytes->size() > ULONG_MAX) {
            return E_OUTOFMEMORY;
        }
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes->size()));
        void* data = nullptr;
        if (array == nullptr || FAILED(SafeArrayAccessData(array, &data))) {
            SafeArrayDestroy(array);
            return E_OUTOFMEMORY;
        }
        if (!bytes->empty()) {
            std::memcpy(data, bytes->data(), bytes->size());
        }
        SafeArrayUnaccessData(array);
        value->vt = VT_ARRAY | VT_UI1;
        value->parray = array;
    } else if (const auto* date = std::get_if<SqlDateTime>(&stored)) {
        const COleDateTime time(date->year, date->month, date->day, date->hour, date->minute,
                                date->second);
        if (time.GetStatus() != COleDateTime::valid) {
            return DISP_E_OVERFLOW;
        }
        value->vt = VT_DATE;
        value->date = static_cast<DATE>(time);
    } else {
        value->vt = VT_NULL;
    }
    return S_OK;
}

}  // namespace

AdoField::AdoField(std::shared_ptr<RecordsetData> data, size_t column)
    : data_(std::move(data)), column_(column) {}

HRESULT AdoField::get_Name(BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    if (!data_->open || column_ >= data_->columns.size()) {
        return RaiseAdoError(IID_Field, adErrObjectClosed, kSource);
    }
    *name = BstrFromUtf16(data_->columns[column_]);
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT AdoField::get_Value(VARIANT* value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    VariantInit(value);
    if (!data_->open || column_ >= data_->columns.size()) {
        return RaiseAdoError(IID_Field, adErrObjectClosed, kSource);
    }
    if (data_->AtEnd()) {
        return RaiseAdoError(IID_Field, adErrNoCurrentRecord, kSource);
    }
    return ToVariant(data_->rows[data_->current][column_], value);
}

HRESULT AdoField::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID_Field) ? S_OK : S_FALSE;
}

}  // namespace platform
