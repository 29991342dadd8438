#include "platform/database/SqliteDatabase.h"

#include <sqlite3.h>

#include <memory>
#include <optional>

namespace platform {

namespace {

// Several script engines may write the same file from their own threads; a writer waits this
// long for another's lock before the statement fails.
constexpr int kBusyWaitMilliseconds = 5000;

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

constexpr const char* kEngineName = "SQLite";

DatabaseEngine::Error EngineError(int code, bool inCommandText, const std::string& message) {
    using Kind = DatabaseEngine::Error::Kind;
    const Kind kind = code == SQLITE_CONSTRAINT ? Kind::kConstraint
                      : inCommandText           ? Kind::kCommandText
                                                : Kind::kOther;
    return DatabaseEngine::Error(kind, kEngineName, message);
}

// Reads up to `maxDigits` (at least one) decimal digits at `at`.
std::optional<int> ReadNumber(std::u16string_view text, size_t& at, size_t maxDigits) {
    int number = 0;
    size_t digits = 0;
    while (at < text.size() && digits < maxDigits && text[at] >= u'0' && text[at] <= u'9') {
        number = number * 10 + (text[at++] - u'0');
        ++digits;
    }
    return digits > 0 ? std::optional<int>(number) : std::nullopt;
}

bool Skip(std::u16string_view text, size_t& at, std::u16string_view separators) {
    if (at < text.size() && separators.find(text[at]) != std::u16string_view::npos) {
        ++at;
        return true;
    }
    return false;
}

// "2024-03-05", "2024/3/5 14:07", "2024-03-05T14:07:09.250": a date with '-' or '/', then
// optionally a blank or 'T' and the time to the minute or second; a fraction of a second is
// dropped. Nothing else may follow.
std::optional<SqlDateTime> ParseDateTime(std::u16string_view text) {
    SqlDateTime value;
    size_t at = 0;
    const auto year = ReadNumber(text, at, 4);
    if (!year || at != 4 || !Skip(text, at, u"-/")) {
        return std::nullopt;
    }
    const auto month = ReadNumber(text, at, 2);
    if (!month || !Skip(text, at, u"-/")) {
        return std::nullopt;
    }
    const auto day = ReadNumber(text, at, 2);
    if (!day) {
        return std::nullopt;
    }
    value.year = *year;
    value.month = *month;
    value.day = *day;
    if (Skip(text, at, u" T")) {
        const auto hour = ReadNumber(text, at, 2);
        if (!hour || !Skip(text, at, u":")) {
            return std::nullopt;
        }
        const auto minute = ReadNumber(text, at, 2);
        if (!minute) {
            return std::nullopt;
        }
        value.hour = *hour;
        value.minute = *minute;
        if (Skip(text, at, u":")) {
            const auto second = ReadNumber(text, at, 2);
            if (!second) {
                return std::nullopt;
            }
            value.second = *second;
            if (Skip(text, at, u".") && !ReadNumber(text, at, 9)) {
                return std::nullopt;
            }
        }
    }
    if (at != text.size() || !value.IsValid()) {
        return std::nullopt;
    }
    return value;
}

// SQLite has no date type; a column declared with one ("DATE", "DATETIME", "TIMESTAMP") that
// holds a date text gives a date, as the same column of other databases does.
bool IsDateColumn(sqlite3_stmt* statement, int column) {
    const char* declared = sqlite3_column_decltype(statement, column);
    if (declared == nullptr) {
        return false;
    }
    std::string type(declared);
    for (char& c : type) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return type.find("DATE") != std::string::npos || type.find("TIME") != std::string::npos;
}

SqlValue ReadColumn(sqlite3_stmt* statement, int column, bool dateColumn) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(statement, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(statement, column);
        case SQLITE_TEXT: {
            const auto* text =
                static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
            const int bytes = sqlite3_column_bytes16(statement, column);
            std::u16string value;
            if (text != nullptr) {
                value.assign(text, static_cast<size_t>(bytes) / 2);
            }
            if (dateColumn) {
                if (const std::optional<SqlDateTime> date = ParseDateTime(value)) {
                    return *date;
                }
            }
            return value;
        }
        case SQLITE_BLOB: {
            const auto* bytes =
                static_cast<const std::uint8_t*>(sqlite3_column_blob(statement, column));
            const int size = sqlite3_column_bytes(statement, column);
            return bytes == nullptr ? std::vector<std::uint8_t>()
                                    : std::vector<std::uint8_t>(bytes, bytes + size);
        }
        default:
            return std::monostate();
    }
}

std::u16string ColumnName(sqlite3_stmt* statement, int column) {
    const auto* name = static_cast<const char16_t*>(sqlite3_column_name16(statement, column));
    return name == nullptr ? std::u16string() : std::u16string(name);
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file) {
    const int opened = sqlite3_open_v2(file.c_str(), &database_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened != SQLITE_OK) {
        const std::string message =
            database_ != nullptr ? sqlite3_errmsg(database_) : sqlite3_errstr(opened);
        sqlite3_close(database_);
        database_ = nullptr;
        throw EngineError(opened, false, message + ": " + file.string());
    }
    sqlite3_extended_result_codes(database_, 0);
    sqlite3_busy_timeout(database_, kBusyWaitMilliseconds);
    // Opening is lazy: reading the schema is what finds a file that is no database, and it
    // writes the file's header when the file is new.
    try {
        Run(u"PRAGMA schema_version");
    } catch (const Error&) {
        sqlite3_close(database_);
        database_ = nullptr;
        throw;
    }
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close(database_);
}

DatabaseEngine::Result SqliteDatabase::Run(std::u16string_view sql) {
    Result result;
    const char16_t* next = sql.data();
    const char16_t* const end = sql.data() + sql.size();
    while (next < end) {
        sqlite3_stmt* prepared = nullptr;
        const void* tail = nullptr;
        const int bytes = static_cast<int>((end - next) * sizeof(char16_t));
        const int code = sqlite3_prepare16_v2(database_, next, bytes, &prepared, &tail);
        Statement statement(prepared);
        if (code != SQLITE_OK) {
            throw EngineError(code, true, sqlite3_errmsg(database_));
        }
        next = tail != nullptr ? static_cast<const char16_t*>(tail) : end;
        if (statement == nullptr) {
            continue;  // only blanks, comments or a lone ';'
        }
        Result current;
        const int columns = sqlite3_column_count(statement.get());
        current.hasRows = columns > 0;
        std::vector<bool> dateColumns;
        for (int column = 0; column < columns; ++column) {
            current.columns.push_back(ColumnName(statement.get(), column));
            dateColumns.push_back(IsDateColumn(statement.get(), column));
        }
        const sqlite3_int64 changesBefore = sqlite3_total_changes64(database_);
        int step;
        while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
            std::vector<SqlValue>& row = current.rows.emplace_back();
            row.reserve(static_cast<size_t>(columns));
            for (int column = 0; column < columns; ++column) {
                row.push_back(ReadColumn(statement.get(), column, dateColumns[column]));
            }
        }
        if (step != SQLITE_DONE) {
            throw EngineError(step, false, sqlite3_errmsg(database_));
        }
        // Only INSERT, UPDATE and DELETE move the total, so a CREATE after them reports 0
        // rather than the count of the statement before it.
        if (sqlite3_total_changes64(database_) != changesBefore) {
            current.changes = sqlite3_changes64(database_);
        }
        current.changes += result.changes;
        result = std::move(current);
    }
    return result;
}

}  // namespace platform
