// An embedded SQLite database file. SQLite stores text as UTF-8, so the file reads the same with
// any other SQLite tool.
#pragma once

#include <filesystem>

#include "platform/database/DatabaseEngine.h"

struct sqlite3;

namespace platform {

class SqliteDatabase : public DatabaseEngine {
public:
    // Opens the file, creating it when missing; throws Error when it cannot be opened or is no
    // database. The name ":memory:" opens a private database in memory.
    explicit SqliteDatabase(const std::filesystem::path& file);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    Result Run(std::u16string_view sql) override;

private:
    sqlite3* database_ = nullptr;
};

}  // namespace platform
