#include "platform/database/AdoConnection.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <new>
#include <optional>
#include <string>

#include "platform/database/AdoErrors.h"
#include "platform/database/AdoRecordset.h"
#include "platform/database/ConnectionString.h"
#include "platform/database/OdbcDatabase.h"
#include "platform/database/SqliteDatabase.h"
#include "platform/files/Path.h"
#include "platform/text/Encoding.h"

namespace platform {

namespace {

constexpr const char* kSource = "ADODB.Connection";
constexpr long kFlagOptions =
    adAsyncExecute | adAsyncFetch | adAsyncFetchNonBlocking | adExecuteNoRecords;

HRESULT Fail(HRESULT result, std::string_view description) {
    return RaiseDatabaseError(IID__Connection, result, kSource, description);
}

// The first bytes of every SQLite database file.
constexpr char kSqliteHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                    'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};

// Why the file at path must not be opened as an SQLite database, or nullopt when it may: it is
// missing, empty or SQLite's. SQLite itself would refuse another format only after opening it
// for writing; a file of another database system is left alone before that.
std::optional<std::string> ForeignFormat(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    char head[20] = {};
    file.read(head, sizeof head);
    const std::streamsize count = file.gcount();
    if (count <= 0 ||
        (count >= 16 && std::memcmp(head, kSqliteHeader, sizeof kSqliteHeader) == 0)) {
        return std::nullopt;
    }
    const std::string name = ToWindowsPath(path);
    if (count >= 19 && (std::memcmp(head + 4, "Standard Jet DB", 15) == 0 ||
                        std::memcmp(head + 4, "Standard ACE DB", 15) == 0)) {
        return "The file is an Access (.mdb/.accdb) database, which cannot be opened: only "
               "SQLite database files can. The file was left unchanged: " +
               name;
    }
    return "The file is not an SQLite database and cannot be opened; the file was left "
           "unchanged: " +
           name;
}

}  // namespace

bool AdoConnection::IsTextCommand(long options) {
    if (options == adOptionUnspecified) {
        return true;
    }
    const long command = options & ~kFlagOptions;
    return command == 0 || command == adCmdText || command == adCmdUnknown;
}

HRESULT AdoConnection::raw_Close() {
    if (database_ == nullptr) {
        return RaiseAdoError(IID__Connection, adErrObjectClosed, kSource);
    }
    database_.reset();
    return S_OK;
}

HRESULT AdoConnection::raw_Execute(BSTR commandText, VARIANT* recordsAffected, long options,
                                   _Recordset** recordset) {
    if (recordset == nullptr) {
        return E_POINTER;
    }
    *recordset = nullptr;
    if (database_ == nullptr) {
        return RaiseAdoError(IID__Connection, adErrObjectClosed, kSource);
    }
    if (!IsTextCommand(options)) {
        return RaiseAdoError(IID__Connection, adErrInvalidArgument, kSource);
    }
    DatabaseEngine::Result result;
    try {
        result = database_->Run(ViewOfBstr(commandText));
    } catch (const DatabaseEngine::Error& error) {
        return RaiseEngineError(IID__Connection, error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (recordsAffected != nullptr) {
        VariantInit(recordsAffected);
        recordsAffected->vt = VT_I4;
        recordsAffected->lVal =
            result.hasRows ? -1
                           : static_cast<LONG>(std::min<std::int64_t>(result.changes, INT32_MAX));
    }
    if (options != adOptionUnspecified && (options & adExecuteNoRecords) != 0) {
        return S_OK;
    }
    auto* records = new (std::nothrow) AdoRecordset;
    if (records == nullptr) {
        return E_OUTOFMEMORY;
    }
    records->Load(std::move(result));
    *recordset = records;
    return S_OK;
}

HRESULT AdoConnection::raw_Open(BSTR connectionString, BSTR /*userId*/, BSTR /*password*/,
                                long /*options*/) {
    if (database_ != nullptr) {
        return RaiseAdoError(IID__Connection, adErrObjectOpen, kSource);
    }
    const ConnectionString parts(ViewOfBstr(connectionString));
    if (parts.NamesOdbcSource()) {
        try {
            database_ = std::make_unique<OdbcDatabase>(ViewOfBstr(connectionString));
        } catch (const DatabaseEngine::Error& error) {
            return RaiseEngineError(IID__Connection, error);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }
    const std::optional<std::u16string> file = parts.DatabaseFile();
    if (!file) {
        return Fail(E_FAIL, "The connection string names no database file (\"Data Source=\").");
    }
    std::filesystem::path path = ":memory:";
    if (*file != u":memory:") {
        const std::string windowsPath = Utf16ToGbk(*file);
        std::optional<std::filesystem::path> resolved = ResolvePath(windowsPath);
        if (!resolved) {
            return Fail(E_FAIL, "The database file name is not a valid path: " + windowsPath);
        }
        path = std::move(*resolved);
        if (const std::optional<std::string> refusal = ForeignFormat(path)) {
            return Fail(E_FAIL, *refusal);
        }
    }
    try {
        database_ = std::make_unique<SqliteDatabase>(path);
    } catch (const DatabaseEngine::Error& error) {
        return RaiseEngineError(IID__Connection, error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT AdoConnection::get_State(long* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    *state = database_ != nullptr ? adStateOpen : adStateClosed;
    return S_OK;
}

HRESULT AdoConnection::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID__Connection) ? S_OK : S_FALSE;
}

}  // namespace platform
