#include "platform/database/AdoConnection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <thread>

#include "platform/com/ComRuntime.h"
#include "platform/com/SafeArray.h"
#include "platform/database/DatabaseClasses.h"
#include "platform/database/DatabaseTest.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

using platform::testing::QueryWithSqlite3;
using platform::testing::SqliteOdbcDriver;

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

class AdoConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        platform::RegisterDatabaseClasses();
    }
    void TearDown() override { CoUninitialize(); }

    // As the programs' database wrapper does it: create, run, then ask for the connection.
    _ConnectionPtr CreateConnection() {
        IUnknown* object = nullptr;
        EXPECT_EQ(S_OK, CoCreateInstance(CLSID_Connection, nullptr, CLSCTX_ALL, IID_IUnknown,
                                         reinterpret_cast<void**>(&object)));
        EXPECT_EQ(S_OK, OleRun(object));
        _ConnectionPtr connection(object);
        object->Release();
        return connection;
    }

    std::string ConnectionStringFor(const std::string& name) {
        return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
               platform::ToWindowsPath(folder_.path() / name);
    }

    platform::testing::TempFolder folder_;
};

// Expects `call` to throw a _com_error with `result` and `description`.
template <typename Call>
void ExpectComError(HRESULT result, const std::string& description, Call call) {
    try {
        call();
        ADD_FAILURE() << "no _com_error thrown";
    } catch (const _com_error& error) {
        EXPECT_EQ(result, error.Error());
        EXPECT_EQ(description, std::string(static_cast<const char*>(error.Description())));
    }
}

TEST_F(AdoConnectionTest, WritesGbkTextThatOtherSqliteToolsReadAsUtf8) {
    _ConnectionPtr connection = CreateConnection();
    ASSERT_TRUE(connection);
    EXPECT_EQ(adStateClosed, connection->GetState());
    connection->Open(ConnectionStringFor("Pics.db").c_str(), "", "", adConnectUnspecified);
    EXPECT_EQ(adStateOpen, connection->GetState());
    EXPECT_TRUE(std::filesystem::exists(folder_.path() / "Pics.db"));

    _variant_t affected;
    connection->Execute("CREATE TABLE pictures (id INTEGER, name TEXT, size REAL)", &affected,
                        adCmdText);
    EXPECT_EQ(VT_I4, affected.vt);
    EXPECT_EQ(0, affected.lVal);
    connection->Execute("INSERT INTO pictures VALUES (1, '风景图片', 2.5), (2, NULL, -7)",
                        &affected, adCmdText);
    EXPECT_EQ(2, affected.lVal);
    connection->Execute("UPDATE pictures SET size = size * 2 WHERE id = 2", &affected, adCmdText);
    EXPECT_EQ(1, affected.lVal);
    connection->Execute("DELETE FROM pictures WHERE id = 99", &affected, adCmdText);
    EXPECT_EQ(0, affected.lVal);
    connection->Execute("SELECT * FROM pictures", &affected, adCmdText);
    EXPECT_EQ(-1, affected.lVal);
    connection->Close();
    EXPECT_EQ(adStateClosed, connection->GetState());

    const std::optional<std::string> rows =
        QueryWithSqlite3(folder_.path() / "Pics.db",
                         "SELECT id, name, size, typeof(name) FROM pictures ORDER BY id");
    if (!rows) {
        GTEST_SKIP() << "sqlite3 is not installed";
    }
    EXPECT_EQ(Utf8(u8"1|风景图片|2.5|text\n2||-14.0|null\n"), *rows);
}

TEST_F(AdoConnectionTest, ReadsRowsWrittenByOtherToolsAsGbk) {
    const std::filesystem::path file = folder_.path() / "shared.db";
    if (!QueryWithSqlite3(file, Utf8(u8"CREATE TABLE t (word TEXT); "
                                     u8"INSERT INTO t VALUES ('汉字');"))) {
        GTEST_SKIP() << "sqlite3 is not installed";
    }
    _ConnectionPtr connection = CreateConnection();
    // The path layer matches names without case when the exact name does not exist.
    connection->Open(ConnectionStringFor("SHARED.DB").c_str(), "", "", adConnectUnspecified);
    _RecordsetPtr records = connection->Execute("SELECT word FROM t", nullptr, adCmdText);
    EXPECT_EQ(std::string("汉字"),
              static_cast<const char*>(_bstr_t(records->GetFields()->GetItem(0L)->GetValue())));
}

TEST_F(AdoConnectionTest, RunsEveryStatementOfATextAndReturnsTheLastRows) {
    _ConnectionPtr connection = CreateConnection();
    connection->Open("Data Source=:memory:", "", "", adConnectUnspecified);
    _variant_t affected;
    connection->Execute(
        "CREATE TABLE t (n INTEGER UNIQUE); INSERT INTO t VALUES (1); "
        "INSERT INTO t VALUES (2), (3);",
        &affected, adCmdText);
    EXPECT_EQ(3, affected.lVal);
    _RecordsetPtr records =
        connection->Execute("SELECT 'ignored'; SELECT sum(n) FROM t", nullptr, adCmdUnknown);
    EXPECT_EQ(6L, long(records->GetFields()->GetItem(0L)->GetValue()));

    // A failing statement leaves the ones before it done.
    ExpectComError(DB_E_INTEGRITYVIOLATION, "UNIQUE constraint failed: t.n", [&] {
        connection->Execute("INSERT INTO t VALUES (4); INSERT INTO t VALUES (1)", nullptr,
                            adCmdText);
    });
    _RecordsetPtr count = connection->Execute("SELECT count(*) FROM t", nullptr, adCmdText);
    EXPECT_EQ(4L, long(count->GetFields()->GetItem(0L)->GetValue()));
}

TEST_F(AdoConnectionTest, StatementsWithoutRowsGiveAClosedRecordSetOrNone) {
    _ConnectionPtr connection = CreateConnection();
    connection->Open("Data Source=:memory:", "", "", adConnectUnspecified);
    _RecordsetPtr records = connection->Execute("CREATE TABLE t (n)", nullptr, adCmdText);
    ASSERT_TRUE(records);
    EXPECT_EQ(adStateClosed, records->GetState());
    ExpectComError(AdoErrorResult(adErrObjectClosed),
                   "Operation is not allowed when the object is closed.",
                   [&] { records->GetEOF(); });

    _variant_t affected;
    _RecordsetPtr none = connection->Execute("INSERT INTO t VALUES (5)", &affected,
                                             long(adCmdText) | adExecuteNoRecords);
    EXPECT_FALSE(none);
    EXPECT_EQ(1, affected.lVal);

    // Blank texts run nothing; an empty select still opens its record set.
    _RecordsetPtr blank = connection->Execute("  ; ", nullptr, adCmdText);
    EXPECT_EQ(adStateClosed, blank->GetState());
    _RecordsetPtr noRows = connection->Execute("SELECT n FROM t WHERE n > 5", nullptr, adCmdText);
    EXPECT_EQ(adStateOpen, noRows->GetState());
    EXPECT_EQ(VARIANT_TRUE, noRows->GetEOF());
}

TEST_F(AdoConnectionTest, FailuresThrowWithTheirDescriptions) {
    _ConnectionPtr connection = CreateConnection();
    const std::string closed = "Operation is not allowed when the object is closed.";
    ExpectComError(AdoErrorResult(adErrObjectClosed), closed,
                   [&] { connection->Execute("SELECT 1", nullptr, adCmdText); });
    ExpectComError(AdoErrorResult(adErrObjectClosed), closed, [&] { connection->Close(); });

    ExpectComError(E_FAIL,
                   "[unixODBC][Driver Manager]Data source name not found and no default driver "
                   "specified",
                   [&] { connection->Open("DSN=no such source", "", "", adConnectUnspecified); });
    ExpectComError(E_FAIL, "The connection string names no database file (\"Data Source=\").",
                   [&] { connection->Open("Provider=Microsoft.Jet.OLEDB.4.0", "", "", 0); });
    ExpectComError(E_FAIL, "The database file name is not a valid path: C:\\a|b.db",
                   [&] { connection->Open("Data Source=C:\\a|b.db", "", "", 0); });
    folder_.WriteFile("notes.txt", std::string(600, 'x'));
    ExpectComError(E_FAIL,
                   "The file is not an SQLite database and cannot be opened; the file was left "
                   "unchanged: " +
                       platform::ToWindowsPath(folder_.path() / "notes.txt"),
                   [&] { connection->Open(ConnectionStringFor("notes.txt").c_str(), "", "", 0); });
    ExpectComError(
        E_FAIL, "unable to open database file: " + (folder_.path() / "missing/x.db").string(),
        [&] { connection->Open(ConnectionStringFor("missing\\x.db").c_str(), "", "", 0); });
    EXPECT_EQ(adStateClosed, connection->GetState());

    connection->Open("Data Source=:memory:", "", "", 0);
    ExpectComError(AdoErrorResult(adErrObjectOpen),
                   "Operation is not allowed when the object is open.",
                   [&] { connection->Open("Data Source=:memory:", "", "", 0); });
    ExpectComError(DB_E_ERRORSINCOMMAND, "near \"SELEC\": syntax error",
                   [&] { connection->Execute("SELEC 1", nullptr, adCmdText); });
    ExpectComError(DB_E_ERRORSINCOMMAND, "no such table: 图片",
                   [&] { connection->Execute("SELECT * FROM 图片", nullptr, adCmdText); });
    ExpectComError(AdoErrorResult(adErrInvalidArgument),
                   "Arguments are of the wrong type, are out of acceptable range, or are in "
                   "conflict with one another.",
                   [&] { connection->Execute("pictures", nullptr, adCmdStoredProc); });
}

TEST_F(AdoConnectionTest, ReachesOdbcDriversThroughTheDriverManager) {
    const std::filesystem::path driver = SqliteOdbcDriver();
    if (driver.empty()) {
        GTEST_SKIP() << "the SQLite ODBC driver is not installed";
    }
    const std::filesystem::path file = folder_.path() / "odbc.db";
    _ConnectionPtr connection = CreateConnection();
    connection->Open(
        ("Provider=MSDASQL;Driver=" + driver.string() + ";Database=" + file.string()).c_str(), "",
        "", adConnectUnspecified);
    EXPECT_EQ(adStateOpen, connection->GetState());
    _variant_t affected;
    connection->Execute(
        "CREATE TABLE t (id INTEGER, word TEXT, size DOUBLE, data BLOB, taken TIMESTAMP)",
        &affected, adCmdText);
    EXPECT_EQ(0, affected.lVal);
    connection->Execute(
        "INSERT INTO t VALUES (7, '汉字', 1.5, x'00FF', '2024-03-05 14:07:09'), "
        "(8, NULL, NULL, NULL, NULL)",
        &affected, adCmdText);
    EXPECT_EQ(2, affected.lVal);
    connection->Execute("UPDATE t SET size = 3 WHERE id = 9", &affected, adCmdText);
    EXPECT_EQ(0, affected.lVal);

    _RecordsetPtr records =
        connection->Execute("SELECT * FROM t ORDER BY id", &affected, adCmdText);
    EXPECT_EQ(-1, affected.lVal);
    FieldsPtr fields = records->GetFields();
    ASSERT_EQ(5, fields->GetCount());
    EXPECT_EQ(std::string("word"), static_cast<const char*>(fields->GetItem(1L)->GetName()));
    _variant_t id = fields->GetItem("ID")->GetValue();
    EXPECT_EQ(VT_I4, id.vt);
    EXPECT_EQ(7, id.lVal);
    EXPECT_EQ(std::string("汉字"),
              static_cast<const char*>(_bstr_t(fields->GetItem("word")->GetValue())));
    EXPECT_EQ(1.5, double(fields->GetItem("size")->GetValue()));
    _variant_t data = fields->GetItem("data")->GetValue();
    ASSERT_EQ(VT_ARRAY | VT_UI1, data.vt);
    EXPECT_EQ(2u, data.parray->rgsabound[0].cElements);
    _variant_t taken = fields->GetItem("taken")->GetValue();
    EXPECT_EQ(VT_DATE, taken.vt);
    EXPECT_EQ(std::string("2024-3-5 14:07:09"), static_cast<const char*>(_bstr_t(taken)));
    records->MoveNext();
    EXPECT_EQ(VT_NULL, fields->GetItem("taken")->GetValue().vt);
    EXPECT_EQ(VT_NULL, fields->GetItem("word")->GetValue().vt);
    EXPECT_EQ(VT_NULL, fields->GetItem("size")->GetValue().vt);
    records->MoveNext();
    EXPECT_EQ(VARIANT_TRUE, records->GetEOF());

    try {
        connection->Execute("SELEC 1", nullptr, adCmdText);
        FAIL() << "no _com_error thrown";
    } catch (const _com_error& error) {
        EXPECT_EQ(std::string("ODBC"), static_cast<const char*>(error.Source()));
        EXPECT_NE(nullptr, std::strstr(static_cast<const char*>(error.Description()), "syntax"));
    }
    connection->Close();

    const std::optional<std::string> rows =
        QueryWithSqlite3(file, "SELECT id, word FROM t ORDER BY id");
    if (rows) {
        EXPECT_EQ(Utf8(u8"7|汉字\n8|\n"), *rows);
    }
}

TEST_F(AdoConnectionTest, RefusesAnAccessDatabaseWithoutWritingToIt) {
    std::string jet(4096, '\0');
    jet.replace(0, 19, std::string("\0\1\0\0Standard Jet DB", 19));
    folder_.WriteFile("pictures.mdb", jet);
    const auto before = std::filesystem::last_write_time(folder_.path() / "pictures.mdb");
    _ConnectionPtr connection = CreateConnection();
    ExpectComError(
        E_FAIL,
        "The file is an Access (.mdb/.accdb) database, which cannot be opened: only SQLite "
        "database files can. The file was left unchanged: " +
            platform::ToWindowsPath(folder_.path() / "pictures.mdb"),
        [&] {
            connection->Open(ConnectionStringFor("pictures.mdb").c_str(), "", "",
                             adConnectUnspecified);
        });
    EXPECT_EQ(adStateClosed, connection->GetState());
    EXPECT_EQ(jet, folder_.ReadFile("pictures.mdb"));
    EXPECT_EQ(before, std::filesystem::last_write_time(folder_.path() / "pictures.mdb"));
    // No journal or other file of SQLite's was made beside it.
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder_.path()),
                               std::filesystem::directory_iterator()));

    // An empty file is a new database.
    folder_.WriteFile("empty.db", "");
    connection->Open(ConnectionStringFor("empty.db").c_str(), "", "", adConnectUnspecified);
    EXPECT_EQ(adStateOpen, connection->GetState());
}

TEST_F(AdoConnectionTest, ErrorsNameTheirSource) {
    _ConnectionPtr connection = CreateConnection();
    connection->Open("Data Source=:memory:", "", "", 0);
    try {
        connection->Execute("DROP TABLE nothing", nullptr, adCmdText);
        FAIL() << "no _com_error thrown";
    } catch (const _com_error& error) {
        EXPECT_EQ(std::string("SQLite"), static_cast<const char*>(error.Source()));
    }
    connection->Close();
    try {
        connection->Close();
        FAIL() << "no _com_error thrown";
    } catch (const _com_error& error) {
        EXPECT_EQ(std::string("ADODB.Connection"), static_cast<const char*>(error.Source()));
    }
}

TEST_F(AdoConnectionTest, CreationNeedsTheThreadsInitialisation) {
    HRESULT withoutInit = S_OK;
    HRESULT withInit = E_FAIL;
    IUnknown* leftOver = reinterpret_cast<IUnknown*>(1);
    std::thread worker([&] {
        withoutInit = CoCreateInstance(CLSID_Connection, nullptr, CLSCTX_ALL, IID__Connection,
                                       reinterpret_cast<void**>(&leftOver));
        CoInitialize(nullptr);
        IUnknown* object = nullptr;
        withInit = CoCreateInstance(CLSID_Recordset, nullptr, CLSCTX_INPROC_SERVER, IID__Recordset,
                                    reinterpret_cast<void**>(&object));
        if (object != nullptr) {
            object->Release();
        }
        CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(CO_E_NOTINITIALIZED, withoutInit);
    EXPECT_EQ(nullptr, leftOver);
    EXPECT_EQ(S_OK, withInit);
}

}  // namespace
