#include "platform/database/AdoFields.h"

#include <cstddef>
#include <new>

#include "platform/database/AdoErrors.h"
#include "platform/database/AdoField.h"

namespace platform {

namespace {

constexpr const char* kSource = "ADODB.Fields";

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

AdoFields::AdoFields(std::shared_ptr<RecordsetData> data) : data_(std::move(data)) {}

HRESULT AdoFields::get_Count(long* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    if (!data_->open) {
        return RaiseAdoError(IID_Fields, adErrObjectClosed, kSource);
    }
    *count = static_cast<long>(data_->columns.size());
    return S_OK;
}

HRESULT AdoFields::get_Item(VARIANT index, Field** field) {
    if (field == nullptr) {
        return E_POINTER;
    }
    *field = nullptr;
    if (!data_->open) {
        return RaiseAdoError(IID_Fields, adErrObjectClosed, kSource);
    }
    const long column = FindColumn(index);
    if (column < 0) {
        return RaiseAdoError(IID_Fields, adErrItemNotFound, kSource);
    }
    *field = new (std::nothrow) AdoField(data_, static_cast<size_t>(column));
    if (*field == nullptr) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT AdoFields::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID_Fields) ? S_OK : S_FALSE;
}

long AdoFields::FindColumn(const VARIANT& index) const {
    const VARIANT* held = &index;
    if (held->vt == (VT_BYREF | VT_VARIANT) && held->pvarVal != nullptr) {
        held = held->pvarVal;
    }
    if (held->vt == VT_BSTR) {
        for (size_t column = 0; column < data_->columns.size(); ++column) {
            if (EqualIgnoringAsciiCase(data_->columns[column], ViewOfBstr(held->bstrVal))) {
                return static_cast<long>(column);
            }
        }
        return -1;
    }
    if (held->vt == VT_EMPTY) {
        return -1;  // VariantChangeType would read it as 0
    }
    VARIANT position;
    VariantInit(&position);
    if (FAILED(VariantChangeType(&position, held, 0, VT_I4)) || position.lVal < 0 ||
        static_cast<size_t>(position.lVal) >= data_->columns.size()) {
        return -1;
    }
    return position.lVal;
}

}  // namespace platform
