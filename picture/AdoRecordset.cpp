#include "picture/AdoRecordset.h"

CAdoRecordset::CAdoRecordset() = default;

CAdoRecordset::~CAdoRecordset() {
    Close();
}

void CAdoRecordset::Attach(_RecordsetPtr records) {
    Close();
    m_records = std::move(records);
}

void CAdoRecordset::Close() {
    if (!m_records) {
        return;
    }
    // A record set of a statement without rows is closed already; closing it again fails.
    m_records->raw_Close();
    m_records = nullptr;
}

int CAdoRecordset::GetFieldValues(int count, std::vector<_variant_t>& values) {
    if (!m_records) {
        return -1;
    }
    try {
        if (m_records->GetEOF() != VARIANT_FALSE) {
            return -1;
        }
        FieldsPtr fields = m_records->GetFields();
        // A field beyond the record's last one fails; finding that out first spares the array
        // of a count that a script may have made huge.
        if (count > fields->GetCount()) {
            return 1;
        }
        values.assign(static_cast<size_t>(count < 0 ? 0 : count), _variant_t());
        for (int i = 0; i < count; ++i) {
            _variant_t value = fields->GetItem(_variant_t(static_cast<long>(i)))->GetValue();
            if (value.vt == VT_EMPTY || value.vt == VT_NULL) {
                value = _variant_t(0L);
            }
            values[static_cast<size_t>(i)] = value;
        }
    } catch (const _com_error&) {
        return 1;
    }
    return 0;
}

int CAdoRecordset::MoveNext() {
    if (!m_records || m_records->GetEOF() != VARIANT_FALSE) {
        return 1;
    }
    m_records->MoveNext();
    return 0;
}
