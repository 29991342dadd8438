#include "platform/database/ConnectionString.h"

#include <gtest/gtest.h>

namespace {

using platform::ConnectionString;

TEST(ConnectionStringTest, ReadsKeysIgnoringCaseAndBlanks) {
    const ConnectionString parts(
        u"Provider=Microsoft.Jet.OLEDB.4.0; Data Source = C:\\db\\pics.db ;MODE=Share Deny None");
    EXPECT_EQ(u"Microsoft.Jet.OLEDB.4.0", parts.Find(u"provider"));
    EXPECT_EQ(u"C:\\db\\pics.db", parts.Find(u"data source"));
    EXPECT_EQ(u"Share Deny None", parts.Find(u"mode"));
    EXPECT_FALSE(parts.Find(u"user id"));
    EXPECT_EQ(u"C:\\db\\pics.db", parts.DatabaseFile());
    EXPECT_FALSE(parts.NamesOdbcSource());
}

TEST(ConnectionStringTest, QuotedValuesKeepSeparatorsBlanksAndDoubledQuotes) {
    const ConnectionString parts(
        u"Data Source=\" a;b \"\"c\"\".db\" ;Password='it''s';User ID=\"open");
    EXPECT_EQ(u" a;b \"c\".db", parts.DatabaseFile());
    EXPECT_EQ(u"it's", parts.Find(u"password"));
    // An unterminated quote runs to the end.
    EXPECT_EQ(u"open", parts.Find(u"user id"));
}

TEST(ConnectionStringTest, FirstValueWinsAndOddPartsAreSkipped) {
    const ConnectionString parts(u"junk;;=orphan;Data Source=first.db;data source=second.db;x");
    EXPECT_EQ(u"first.db", parts.DatabaseFile());
    EXPECT_FALSE(parts.Find(u""));
    EXPECT_FALSE(parts.Find(u"junk"));
    EXPECT_FALSE(parts.Find(u"x"));
}

TEST(ConnectionStringTest, DatabaseFileFallsBackFromDataSourceToDatabaseToDbq) {
    EXPECT_EQ(u"b.db", ConnectionString(u"Data Source=;Database=b.db;DBQ=c.mdb").DatabaseFile());
    EXPECT_EQ(u"c.mdb", ConnectionString(u"DBQ=c.mdb").DatabaseFile());
    EXPECT_FALSE(ConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0").DatabaseFile());
    EXPECT_FALSE(ConnectionString(u"").DatabaseFile());
    EXPECT_FALSE(ConnectionString(u"Data Source=   ").DatabaseFile());
}

TEST(ConnectionStringTest, RecognisesOdbcDriversAndDataSourceNames) {
    EXPECT_TRUE(ConnectionString(u"Driver={SQL Server};Server=db;Database=pics").NamesOdbcSource());
    EXPECT_TRUE(ConnectionString(u"dsn=pictures").NamesOdbcSource());
    EXPECT_TRUE(ConnectionString(u"FILEDSN=c:\\pics.dsn").NamesOdbcSource());
    EXPECT_TRUE(ConnectionString(u"Provider=MSDASQL.1;Data Source=pics").NamesOdbcSource());
    EXPECT_FALSE(ConnectionString(u"Provider=SQLOLEDB;Data Source=pics.db").NamesOdbcSource());
}

}  // namespace
