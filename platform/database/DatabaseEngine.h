// The engine under a connection object: it runs statement text (UTF-16, as the objects receive
// it) and hands back the whole result. Results are read whole when a statement runs: the record
// sets built on them then hold no lock or cursor on the database, outlive their connection
// safely, and report every engine error at the call that ran the statement.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {

// A calendar date and time of day, to the second.
struct SqlDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // A real date of the years 100..9999 (the span of the automation DATE) and a time of day.
    bool IsValid() const {
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || hour < 0 ||
            hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
            return false;
        }
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    }
};

// Blobs are byte vectors; the database's NULL is std::monostate.
using SqlValue = std::variant<std::monostate, std::int64_t, double, std::u16string,
                              std::vector<std::uint8_t>, SqlDateTime>;

class DatabaseEngine {
public:
    // An engine failure with the engine's message (UTF-8).
    class Error : public std::runtime_error {
    public:
        enum class Kind {
            // The text itself was rejected: syntax, an unknown table or column.
            kCommandText,
            // A constraint (unique, not null, foreign key) refused the change.
            kConstraint,
            // Anything else: the database cannot be opened or read, it is locked, ...
            kOther,
        };
        Error(Kind kind, std::string source, const std::string& message)
            : std::runtime_error(message), kind_(kind), source_(std::move(source)) {}
        Kind kind() const { return kind_; }
        // The engine's name, for the error's source.
        const std::string& source() const { return source_; }

    private:
        Kind kind_;
        std::string source_;
    };

    struct Result {
        // Whether the last statement was one that yields rows (even none).
        bool hasRows = false;
        std::vector<std::u16string> columns;
        std::vector<std::vector<SqlValue>> rows;
        // Rows inserted, changed or deleted by all the statements; 0 for any other statement.
        std::int64_t changes = 0;
    };

    virtual ~DatabaseEngine() = default;

    // Runs every statement of `sql` in order; the rows are those of the last statement. Throws
    // Error at the first statement that fails; the statements before it stay done.
    virtual Result Run(std::u16string_view sql) = 0;
};

}  // namespace platform
