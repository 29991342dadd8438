// What a record set, its Fields collection and each Field share: the rows of the statement and
// the position of the current record. Field objects read the current record when asked, so a
// Field taken before MoveNext gives the next record's value after it, as the original does.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/database/DatabaseEngine.h"

namespace platform {

struct RecordsetData {
    bool open = false;
    std::vector<std::u16string> columns;
    std::vector<std::vector<SqlValue>> rows;
    size_t current = 0;

    bool AtEnd() const { return current >= rows.size(); }
};

}  // namespace platform
