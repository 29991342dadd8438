// Holds one record set of the database objects for the script's database statements.
#pragma once

#include <vector>

#include "platform/database/AdoInterfaces.h"

class CAdoRecordset {
public:
    CAdoRecordset();
    virtual ~CAdoRecordset();
    CAdoRecordset(const CAdoRecordset&) = delete;
    CAdoRecordset& operator=(const CAdoRecordset&) = delete;

    // Closes the record set held so far and holds records instead.
    void Attach(_RecordsetPtr records);
    void Close();
    // The first count values of the current record; an empty or NULL value gives the integer 0.
    // 0; -1 without a record set or after the last record; 1 when a value cannot be read (also
    // when the record has fewer fields). The current record does not move.
    int GetFieldValues(int count, std::vector<_variant_t>& values);
    // 0 moved; 1 without a record set or after the last record. A failure of the record set
    // itself is thrown as _com_error.
    int MoveNext();

private:
    _RecordsetPtr m_records;
};
