// A database reached through the unixODBC driver manager, for connection strings that name an
// ODBC driver or data source ("Driver={PostgreSQL Unicode};Server=...", "DSN=pictures"). The
// string goes to the driver manager as it is; drivers ignore keys they do not know, such as the
// provider. Values come back by the column's type: integers as 64-bit integers, approximate and
// decimal numbers as doubles, binary columns as bytes, everything else (text, dates as
// "2024-03-05 14:07:09", identifiers) as text.
#pragma once

#include <string_view>

#include "platform/database/DatabaseEngine.h"

namespace platform {

class OdbcDatabase : public DatabaseEngine {
public:
    // Connects without prompting; throws Error with the driver manager's diagnostics when that
    // fails.
    explicit OdbcDatabase(std::u16string_view connectionString);
    ~OdbcDatabase() override;
    OdbcDatabase(const OdbcDatabase&) = delete;
    OdbcDatabase& operator=(const OdbcDatabase&) = delete;

    Result Run(std::u16string_view sql) override;

private:
    void FreeHandles(bool connected);

    // The environment and connection handles, kept as void* so that users of this header do not
    // see the driver manager's own definitions of the Windows types.
    void* environment_ = nullptr;
    void* connection_ = nullptr;
};

}  // namespace platform
