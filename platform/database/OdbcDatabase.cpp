#include "platform/database/OdbcDatabase.h"

#include <sql.h>
#include <sqlext.h>

#include <locale.h>
#include <clocale>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr const char* kEngineName = "ODBC";
// Long values are read in pieces of this many bytes.
constexpr SQLLEN kChunkBytes = 4096;

std::vector<SQLWCHAR> WideText(std::u16string_view text) {
    std::vector<SQLWCHAR> wide(text.begin(), text.end());
    wide.push_back(0);
    return wide;
}

// The driver manager's headers define Windows types of their own, so this file converts its
// diagnostics itself rather than through the platform's text helpers.
std::string Utf8FromWide(const SQLWCHAR* wide, size_t length) {
    std::string utf8;
    for (size_t i = 0; i < length; ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        }
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

// The first diagnostic record of a failed call: its SQLSTATE decides the kind (class 42 and
// 37000 are rejected text, class 23 a broken constraint) and its text is the message.
DatabaseEngine::Error Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    using Kind = DatabaseEngine::Error::Kind;
    SQLWCHAR state[6] = {};
    SQLINTEGER nativeError = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN got = SQLGetDiagRecW(type, handle, 1, state, &nativeError, message,
                                         static_cast<SQLSMALLINT>(std::size(message)), &length);
    if (!SQL_SUCCEEDED(got)) {
        return DatabaseEngine::Error(Kind::kOther, kEngineName, "unknown ODBC failure");
    }
    const std::string code = Utf8FromWide(state, 5);
    const size_t size = std::min<size_t>(static_cast<size_t>(std::max<SQLSMALLINT>(length, 0)),
                                         std::size(message) - 1);
    Kind kind = Kind::kOther;
    if (code.starts_with("42") || code == "37000") {
        kind = Kind::kCommandText;
    } else if (code.starts_with("23")) {
        kind = Kind::kConstraint;
    }
    return DatabaseEngine::Error(kind, kEngineName, Utf8FromWide(message, size));
}

// Makes the calling thread use a UTF-8 character set while it lives.
class Utf8Locale {
public:
    Utf8Locale() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {
        if (utf8_ != static_cast<locale_t>(nullptr)) {
            previous_ = uselocale(utf8_);
        }
    }
    ~Utf8Locale() {
        if (utf8_ != static_cast<locale_t>(nullptr)) {
            uselocale(previous_);
            freelocale(utf8_);
        }
    }
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    locale_t utf8_;
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

struct StatementFreer {
    void operator()(SQLHANDLE statement) const { SQLFreeHandle(SQL_HANDLE_STMT, statement); }
};
using Statement = std::unique_ptr<void, StatementFreer>;

enum class ReadAs { kInteger, kDouble, kBytes, kDateTime, kTime, kText };

ReadAs ReadingFor(SQLSMALLINT type) {
    switch (type) {
        case SQL_BIT:
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
            return ReadAs::kInteger;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_NUMERIC:
        case SQL_DECIMAL:
            return ReadAs::kDouble;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return ReadAs::kBytes;
        case SQL_DATE:
        case SQL_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIMESTAMP:
            return ReadAs::kDateTime;
        case SQL_TIME:
        case SQL_TYPE_TIME:
            return ReadAs::kTime;
        default:
            return ReadAs::kText;
    }
}

// Reads a text (SQLWCHAR units) or binary (byte units) value in pieces until the driver has
// given all of it; false for NULL. Each text piece ends in a NUL that is not part of the value.
template <typename Unit>
bool ReadPieces(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType,
                std::vector<Unit>& value) {
    std::vector<Unit> buffer(kChunkBytes / sizeof(Unit));
    const size_t terminator = cType == SQL_C_BINARY ? 0 : 1;
    while (true) {
        SQLLEN indicator = 0;
        const SQLRETURN got =
            SQLGetData(statement, column, cType, buffer.data(),
                       static_cast<SQLLEN>(buffer.size() * sizeof(Unit)), &indicator);
        if (got == SQL_NO_DATA) {
            return true;
        }
        if (!SQL_SUCCEEDED(got)) {
            throw Diagnostics(SQL_HANDLE_STMT, statement);
        }
        if (indicator == SQL_NULL_DATA) {
            return false;
        }
        const size_t room = buffer.size() - terminator;
        size_t units = room;
        if (indicator != SQL_NO_TOTAL && static_cast<size_t>(indicator) / sizeof(Unit) < room) {
            units = static_cast<size_t>(indicator) / sizeof(Unit);
        } else if (indicator == SQL_NO_TOTAL && terminator != 0) {
            units = static_cast<size_t>(std::find(buffer.begin(), buffer.begin() + room, Unit{0}) -
                                        buffer.begin());
        }
        value.insert(value.end(), buffer.begin(), buffer.begin() + static_cast<long>(units));
        if (got == SQL_SUCCESS) {
            return true;
        }
    }
}

// A date outside the automation DATE's span (a server may hold year 1 or 9999-12-31 24:00)
// comes as its text instead.
SqlValue DateOrText(const SqlDateTime& date) {
    if (date.IsValid()) {
        return date;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month,
                  date.day, date.hour, date.minute, date.second);
    return std::u16string(text, text + std::strlen(text));
}

SqlValue ReadValue(SQLHSTMT statement, SQLUSMALLINT column, ReadAs reading) {
    SQLLEN indicator = 0;
    switch (reading) {
        case ReadAs::kInteger: {
            SQLBIGINT number = 0;
            const SQLRETURN got =
                SQLGetData(statement, column, SQL_C_SBIGINT, &number, sizeof number, &indicator);
            if (!SQL_SUCCEEDED(got)) {
                throw Diagnostics(SQL_HANDLE_STMT, statement);
            }
            return indicator == SQL_NULL_DATA ? SqlValue() : SqlValue(std::int64_t{number});
        }
        case ReadAs::kDouble: {
            double number = 0;
            const SQLRETURN got =
                SQLGetData(statement, column, SQL_C_DOUBLE, &number, sizeof number, &indicator);
            if (!SQL_SUCCEEDED(got)) {
                throw Diagnostics(SQL_HANDLE_STMT, statement);
            }
            return indicator == SQL_NULL_DATA ? SqlValue() : SqlValue(number);
        }
        case ReadAs::kBytes: {
            std::vector<std::uint8_t> bytes;
            return ReadPieces(statement, column, SQL_C_BINARY, bytes) ? SqlValue(std::move(bytes))
                                                                      : SqlValue();
        }
        case ReadAs::kDateTime: {
            SQL_TIMESTAMP_STRUCT time = {};
            const SQLRETURN got =
                SQLGetData(statement, column, SQL_C_TYPE_TIMESTAMP, &time, sizeof time, &indicator);
            if (!SQL_SUCCEEDED(got)) {
                throw Diagnostics(SQL_HANDLE_STMT, statement);
            }
            if (indicator == SQL_NULL_DATA) {
                return SqlValue();
            }
            return DateOrText(
                {time.year, time.month, time.day, time.hour, time.minute, time.second});
        }
        case ReadAs::kTime: {
            SQL_TIME_STRUCT time = {};
            const SQLRETURN got =
                SQLGetData(statement, column, SQL_C_TYPE_TIME, &time, sizeof time, &indicator);
            if (!SQL_SUCCEEDED(got)) {
                throw Diagnostics(SQL_HANDLE_STMT, statement);
            }
            if (indicator == SQL_NULL_DATA) {
                return SqlValue();
            }
            return DateOrText({1899, 12, 30, time.hour, time.minute, time.second});
        }
        case ReadAs::kText:
            break;
    }
    std::vector<SQLWCHAR> wide;
    if (!ReadPieces(statement, column, SQL_C_WCHAR, wide)) {
        return SqlValue();
    }
    return SqlValue(std::u16string(wide.begin(), wide.end()));
}

// The rows of the current result set of `statement`, which has `columns` columns.
void ReadRows(SQLHSTMT statement, SQLSMALLINT columns, DatabaseEngine::Result& result) {
    std::vector<ReadAs> readings;
    for (SQLUSMALLINT column = 1; column <= columns; ++column) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        if (!SQL_SUCCEEDED(SQLDescribeColW(statement, column, name,
                                           static_cast<SQLSMALLINT>(std::size(name)), &nameLength,
                                           &type, &size, &digits, &nullable))) {
            throw Diagnostics(SQL_HANDLE_STMT, statement);
        }
        const size_t length = std::min<size_t>(
            static_cast<size_t>(std::max<SQLSMALLINT>(nameLength, 0)), std::size(name) - 1);
        result.columns.emplace_back(name, name + length);
        readings.push_back(ReadingFor(type));
    }
    SQLRETURN fetched;
    while (SQL_SUCCEEDED(fetched = SQLFetch(statement))) {
        std::vector<SqlValue>& row = result.rows.emplace_back();
        for (SQLUSMALLINT column = 1; column <= columns; ++column) {
            row.push_back(ReadValue(statement, column, readings[column - 1]));
        }
    }
    if (fetched != SQL_NO_DATA) {
        throw Diagnostics(SQL_HANDLE_STMT, statement);
    }
}

}  // namespace

OdbcDatabase::OdbcDatabase(std::u16string_view connectionString) {
    // For drivers without wide-character calls the driver manager converts text to the
    // character set of the calling thread's locale, chosen when the connection handle is made.
    // The programs never set a locale, and the "C" locale's ASCII would lose every Chinese
    // character, so the handles are made under UTF-8.
    const Utf8Locale utf8;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_)) ||
        !SQL_SUCCEEDED(SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION,
                                     reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
        !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_))) {
        FreeHandles(false);
        throw Error(Error::Kind::kOther, kEngineName, "The ODBC driver manager is not usable.");
    }
    std::vector<SQLWCHAR> text = WideText(connectionString);
    SQLSMALLINT completedLength = 0;
    const SQLRETURN connected =
        SQLDriverConnectW(connection_, nullptr, text.data(), SQL_NTS, nullptr, 0, &completedLength,
                          SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(connected)) {
        Error error = Diagnostics(SQL_HANDLE_DBC, connection_);
        FreeHandles(false);
        throw error;
    }
}

OdbcDatabase::~OdbcDatabase() {
    FreeHandles(true);
}

void OdbcDatabase::FreeHandles(bool connected) {
    if (connection_ != nullptr) {
        if (connected) {
            SQLDisconnect(connection_);
        }
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        connection_ = nullptr;
    }
    if (environment_ != nullptr) {
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
        environment_ = nullptr;
    }
}

DatabaseEngine::Result OdbcDatabase::Run(std::u16string_view sql) {
    SQLHANDLE allocated = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection_, &allocated))) {
        throw Diagnostics(SQL_HANDLE_DBC, connection_);
    }
    Statement statement(allocated);
    std::vector<SQLWCHAR> text = WideText(sql);
    SQLRETURN step = SQLExecDirectW(statement.get(), text.data(), SQL_NTS);
    Result result;
    // SQL_NO_DATA: a searched UPDATE or DELETE that matched no row.
    while (SQL_SUCCEEDED(step) || step == SQL_NO_DATA) {
        Result current;
        SQLSMALLINT columns = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(statement.get(), &columns))) {
            throw Diagnostics(SQL_HANDLE_STMT, statement.get());
        }
        current.hasRows = columns > 0;
        if (current.hasRows) {
            ReadRows(statement.get(), columns, current);
        } else {
            SQLLEN changed = -1;
            if (step != SQL_NO_DATA && SQL_SUCCEEDED(SQLRowCount(statement.get(), &changed)) &&
                changed > 0) {
                current.changes = changed;
            }
        }
        current.changes += result.changes;
        result = std::move(current);
        step = SQLMoreResults(statement.get());
        if (step == SQL_NO_DATA) {
            return result;
        }
    }
    throw Diagnostics(SQL_HANDLE_STMT, statement.get());
}

}  // namespace platform
