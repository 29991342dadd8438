#include "picture/AdoDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/database/DatabaseClasses.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace picture::testing {
namespace {

class AdoDatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::RegisterDatabaseClasses(); }

    CString ConnectionString(const std::string& name) const {
        return ("Data Source=" + platform::ToWindowsPath(folder.path() / name)).c_str();
    }

    platform::testing::TempFolder folder;
};

TEST_F(AdoDatabaseTest, ResultCodesReplaceFailures) {
    CAdoDatabase database;
    EXPECT_EQ(0, database.IsOpen());
    EXPECT_EQ(1, database.Execute("CREATE TABLE t (n)"));
    EXPECT_EQ(
        CString("连接数据库失败！错误信息：Operation is not allowed when the object is closed."),
        database.GetErrorText());
    std::vector<std::string> texts{"kept"};
    EXPECT_EQ(1, database.QueryFirstRecord("SELECT 1", 1, texts));
    EXPECT_EQ("kept", texts[0]);

    EXPECT_EQ(0, database.Open(ConnectionString("a.db")));
    EXPECT_EQ(1, database.IsOpen());
    EXPECT_TRUE(database.GetErrorText().IsEmpty());
    EXPECT_EQ(1, database.Execute("SELEC 1"));
    EXPECT_EQ(CString("连接数据库失败！错误信息：near \"SELEC\": syntax error"),
              database.GetErrorText());
    // Opening again closes the first connection and opens the second file.
    EXPECT_EQ(0, database.Execute("CREATE TABLE first (n)"));
    EXPECT_EQ(0, database.Open(ConnectionString("b.db")));
    EXPECT_EQ(1, database.Execute("INSERT INTO first VALUES (1)"));
    EXPECT_EQ(1, database.Open("Data Source=C:\\a|b.db"));
    EXPECT_EQ(0, database.IsOpen());
    database.Close();
    EXPECT_EQ(0, database.IsOpen());
}

TEST_F(AdoDatabaseTest, QueryFirstRecordGivesTextsOfTheFirstRecord) {
    CAdoDatabase database;
    ASSERT_EQ(0, database.Open("Data Source=:memory:"));
    ASSERT_EQ(0, database.Execute("CREATE TABLE t (a TEXT, b, c REAL, d BLOB);"
                                  "INSERT INTO t VALUES ('one  ', NULL, 2.5, x'0102');"
                                  "INSERT INTO t VALUES ('two', 2, 3, NULL)"));
    std::vector<std::string> texts(3);
    EXPECT_EQ(0, database.QueryFirstRecord("SELECT a, b, c FROM t ORDER BY rowid", 3, texts));
    EXPECT_EQ((std::vector<std::string>{"one", "0", "2.5"}), texts);

    // A value without a text form leaves its text empty.
    texts.assign(2, "x");
    EXPECT_EQ(0, database.QueryFirstRecord("SELECT a, d FROM t ORDER BY rowid", 2, texts));
    EXPECT_EQ((std::vector<std::string>{"one", ""}), texts);

    texts.assign(1, "kept");
    EXPECT_EQ(-1, database.QueryFirstRecord("SELECT a FROM t WHERE 0", 1, texts));
    EXPECT_EQ("kept", texts[0]);
    EXPECT_EQ(1, database.QueryFirstRecord("SELECT a FROM t", 2, texts));
    EXPECT_EQ(1, database.QueryFirstRecord("DELETE FROM t WHERE 0", 1, texts));
    EXPECT_EQ("kept", texts[0]);

    CAdoRecordset records;
    EXPECT_EQ(0, database.OpenRecordset("SELECT b FROM t ORDER BY rowid", records));
    std::vector<_variant_t> values;
    EXPECT_EQ(0, records.GetFieldValues(1, values));
    EXPECT_EQ(0L, long(values[0]));
    EXPECT_EQ(0, records.MoveNext());
    EXPECT_EQ(0, records.GetFieldValues(1, values));
    EXPECT_EQ(2L, long(values[0]));
    EXPECT_EQ(0, records.MoveNext());
    EXPECT_EQ(-1, records.GetFieldValues(1, values));
    EXPECT_EQ(1, records.MoveNext());
    records.Close();
    EXPECT_EQ(-1, records.GetFieldValues(1, values));
}

TEST_F(AdoDatabaseTest, AWorkerThreadNeedsNoSetUpOfItsOwn) {
    int opened = -1;
    int executed = -1;
    std::thread worker([&] {
        CAdoDatabase database;
        opened = database.Open(ConnectionString("worker.db"));
        executed = database.Execute("CREATE TABLE t (n)");
    });
    worker.join();
    EXPECT_EQ(0, opened);
    EXPECT_EQ(0, executed);
}

}  // namespace
}  // namespace picture::testing
