#include "platform/database/AdoRecordset.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com/ComRuntime.h"
#include "platform/com/SafeArray.h"
#include "platform/database/DatabaseClasses.h"

namespace {

class AdoRecordsetTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        platform::RegisterDatabaseClasses();
        ASSERT_EQ(S_OK, connection_.CreateInstance(CLSID_Connection));
        connection_->Open("Data Source=:memory:", "", "", adConnectUnspecified);
        connection_->Execute(
            "CREATE TABLE pictures (id INTEGER, Name TEXT, size REAL, note TEXT, big INTEGER, "
            "data BLOB);"
            "INSERT INTO pictures VALUES (1, '山水', 2.5, NULL, 5000000000, x'00FF0041');"
            "INSERT INTO pictures VALUES (-2147483648, '', 0.125, '注', 2147483647, x'')",
            nullptr, adCmdText);
    }
    void TearDown() override {
        connection_ = nullptr;
        CoUninitialize();
    }

    _RecordsetPtr SelectAll() {
        return connection_->Execute("SELECT * FROM pictures ORDER BY id DESC", nullptr, adCmdText);
    }

    _ConnectionPtr connection_;
};

HRESULT ErrorOf(auto call) {
    try {
        call();
    } catch (const _com_error& error) {
        return error.Error();
    }
    return S_OK;
}

std::string Text(const _variant_t& value) {
    EXPECT_EQ(VT_BSTR, value.vt);
    return platform::GbkFromBstr(value.bstrVal);
}

TEST_F(AdoRecordsetTest, WalksRecordsAndGivesEachStorageClassItsVariantType) {
    _RecordsetPtr records = SelectAll();
    FieldsPtr fields = records->GetFields();
    ASSERT_EQ(6, fields->GetCount());
    EXPECT_EQ(std::string("Name"), static_cast<const char*>(fields->GetItem(1L)->GetName()));

    ASSERT_EQ(VARIANT_FALSE, records->GetEOF());
    _variant_t id = fields->GetItem(0L)->GetValue();
    EXPECT_EQ(VT_I4, id.vt);
    EXPECT_EQ(1, id.lVal);
    EXPECT_EQ("山水", Text(fields->GetItem("name")->GetValue()));
    _variant_t size = fields->GetItem("SIZE")->GetValue();
    EXPECT_EQ(VT_R8, size.vt);
    EXPECT_EQ(2.5, size.dblVal);
    EXPECT_EQ(VT_NULL, fields->GetItem("note")->GetValue().vt);
    _variant_t big = fields->GetItem(4L)->GetValue();
    EXPECT_EQ(VT_I8, big.vt);
    EXPECT_EQ(5000000000LL, big.llVal);
    _variant_t data = fields->GetItem(5L)->GetValue();
    ASSERT_EQ(VT_ARRAY | VT_UI1, data.vt);
    LONG upper = -1;
    ASSERT_EQ(S_OK, SafeArrayGetUBound(data.parray, 1, &upper));
    ASSERT_EQ(3, upper);
    const unsigned char expected[] = {0x00, 0xFF, 0x00, 0x41};
    for (LONG i = 0; i <= upper; ++i) {
        unsigned char byte = 0;
        ASSERT_EQ(S_OK, SafeArrayGetElement(data.parray, &i, &byte));
        EXPECT_EQ(expected[i], byte);
    }

    records->MoveNext();
    ASSERT_EQ(VARIANT_FALSE, records->GetEOF());
    EXPECT_EQ(INT32_MIN, fields->GetItem(0L)->GetValue().lVal);
    EXPECT_EQ("", Text(fields->GetItem(1L)->GetValue()));
    EXPECT_EQ("注", Text(fields->GetItem(3L)->GetValue()));
    _variant_t largest = fields->GetItem(4L)->GetValue();
    EXPECT_EQ(VT_I4, largest.vt);
    EXPECT_EQ(INT32_MAX, largest.lVal);
    _variant_t empty = fields->GetItem(5L)->GetValue();
    ASSERT_EQ(VT_ARRAY | VT_UI1, empty.vt);
    ASSERT_EQ(S_OK, SafeArrayGetUBound(empty.parray, 1, &upper));
    EXPECT_EQ(-1, upper);

    records->MoveNext();
    EXPECT_EQ(VARIANT_TRUE, records->GetEndOfFile());
    const HRESULT noCurrentRecord = AdoErrorResult(adErrNoCurrentRecord);
    EXPECT_EQ(noCurrentRecord, ErrorOf([&] { records->MoveNext(); }));
    EXPECT_EQ(noCurrentRecord, ErrorOf([&] { fields->GetItem(0L)->GetValue(); }));
    // The columns stay known at the end.
    EXPECT_EQ(6, fields->GetCount());
}

TEST_F(AdoRecordsetTest, DateColumnsGiveDatesForDateTexts) {
    connection_->Execute(
        "CREATE TABLE events (taken DATETIME, day Date, label TEXT);"
        "INSERT INTO events VALUES ('2024-03-05 14:07:09', '2024/3/5', "
        "'2024-03-05'), ('2024-03-05T08:30:00.250', '2023-02-29', 'x'),"
        "('soon', 45356, NULL), ('2024-03-05 14:07:09 ', '1999-12-31 24:00', '')",
        nullptr, adCmdText);
    _RecordsetPtr records = connection_->Execute("SELECT * FROM events", nullptr, adCmdText);
    FieldsPtr fields = records->GetFields();
    _variant_t taken = fields->GetItem(0L)->GetValue();
    ASSERT_EQ(VT_DATE, taken.vt);
    EXPECT_DOUBLE_EQ(45356 + (14 * 3600 + 7 * 60 + 9) / 86400.0, taken.date);
    EXPECT_EQ(std::string("2024-3-5 14:07:09"), static_cast<const char*>(_bstr_t(taken)));
    _variant_t day = fields->GetItem(1L)->GetValue();
    ASSERT_EQ(VT_DATE, day.vt);
    EXPECT_EQ(45356.0, day.date);
    // Only columns declared as dates read their texts as dates.
    EXPECT_EQ("2024-03-05", Text(fields->GetItem(2L)->GetValue()));

    records->MoveNext();
    EXPECT_EQ(std::string("2024-3-5 8:30:00"),
              static_cast<const char*>(_bstr_t(fields->GetItem(0L)->GetValue())));
    EXPECT_EQ("2023-02-29", Text(fields->GetItem(1L)->GetValue()));

    records->MoveNext();
    EXPECT_EQ("soon", Text(fields->GetItem(0L)->GetValue()));
    EXPECT_EQ(VT_I4, fields->GetItem(1L)->GetValue().vt);

    records->MoveNext();
    EXPECT_EQ("2024-03-05 14:07:09 ", Text(fields->GetItem(0L)->GetValue()));
    EXPECT_EQ("1999-12-31 24:00", Text(fields->GetItem(1L)->GetValue()));
}

TEST_F(AdoRecordsetTest, FieldsFollowTheCurrentRecord) {
    _RecordsetPtr records = SelectAll();
    FieldPtr id = records->GetFields()->GetItem("ID");
    EXPECT_EQ(1L, long(id->GetValue()));
    records->MoveNext();
    EXPECT_EQ(INT32_MIN, long(id->GetValue()));
}

TEST_F(AdoRecordsetTest, FindsItemsByPositionOfAnyNumberTypeOrByName) {
    FieldsPtr fields = SelectAll()->GetFields();
    EXPECT_EQ(std::string("size"),
              static_cast<const char*>(fields->GetItem(_variant_t(short(2)))->GetName()));
    EXPECT_EQ(std::string("note"), static_cast<const char*>(fields->GetItem(3.0)->GetName()));
    VARIANT position;
    position.vt = VT_UINT;
    position.uintVal = 4;
    EXPECT_EQ(std::string("big"),
              static_cast<const char*>(fields->GetItem(_variant_t(position))->GetName()));

    const HRESULT notFound = AdoErrorResult(adErrItemNotFound);
    EXPECT_EQ(notFound, ErrorOf([&] { fields->GetItem(-1L); }));
    EXPECT_EQ(notFound, ErrorOf([&] { fields->GetItem(6L); }));
    EXPECT_EQ(notFound, ErrorOf([&] { fields->GetItem("nam"); }));
    // A text is always a name, even one that reads as a number.
    EXPECT_EQ(notFound, ErrorOf([&] { fields->GetItem("1"); }));
    EXPECT_EQ(notFound, ErrorOf([&] { fields->GetItem(_variant_t()); }));
}

TEST_F(AdoRecordsetTest, ClosingEndsEveryAccess) {
    _RecordsetPtr records = SelectAll();
    FieldsPtr fields = records->GetFields();
    FieldPtr name = fields->GetItem(1L);
    records->Close();
    EXPECT_EQ(adStateClosed, records->GetState());
    const HRESULT closed = AdoErrorResult(adErrObjectClosed);
    EXPECT_EQ(closed, ErrorOf([&] { records->Close(); }));
    EXPECT_EQ(closed, ErrorOf([&] { records->MoveNext(); }));
    EXPECT_EQ(closed, ErrorOf([&] { records->GetEOF(); }));
    EXPECT_EQ(closed, ErrorOf([&] { records->GetFields(); }));
    EXPECT_EQ(closed, ErrorOf([&] { fields->GetCount(); }));
    EXPECT_EQ(closed, ErrorOf([&] { name->GetValue(); }));
    EXPECT_EQ(closed, ErrorOf([&] { name->GetName(); }));
}

TEST_F(AdoRecordsetTest, OutlivesItsConnection) {
    _RecordsetPtr records = SelectAll();
    connection_->Close();
    connection_ = nullptr;
    records->MoveNext();
    EXPECT_EQ("注", Text(records->GetFields()->GetItem("note")->GetValue()));
}

TEST_F(AdoRecordsetTest, OpensACommandOnAGivenConnection) {
    _RecordsetPtr records;
    ASSERT_EQ(S_OK, records.CreateInstance(CLSID_Recordset));
    EXPECT_EQ(adStateClosed, records->GetState());
    const _variant_t connection(static_cast<IUnknown*>(connection_.GetInterfacePtr()));
    records->Open("SELECT Name FROM pictures WHERE id = 1", connection, adOpenForwardOnly,
                  adLockReadOnly, adCmdText);
    EXPECT_EQ("山水", Text(records->GetFields()->GetItem(0L)->GetValue()));
    EXPECT_EQ(AdoErrorResult(adErrObjectOpen), ErrorOf([&] {
                  records->Open("SELECT 1", connection, adOpenForwardOnly, adLockReadOnly,
                                adCmdText);
              }));
    records->Close();

    const HRESULT invalid = AdoErrorResult(adErrInvalidArgument);
    EXPECT_EQ(invalid, ErrorOf([&] {
                  records->Open(5L, connection, adOpenForwardOnly, adLockReadOnly, adCmdText);
              }));
    EXPECT_EQ(invalid, ErrorOf([&] {
                  records->Open("SELECT 1", _variant_t(), adOpenStatic, adLockReadOnly, adCmdText);
              }));
    EXPECT_EQ(DB_E_ERRORSINCOMMAND, ErrorOf([&] {
                  records->Open("SELECT nothing FROM pictures", connection, adOpenStatic,
                                adLockReadOnly, adCmdText);
              }));
    connection_->Close();
    EXPECT_EQ(AdoErrorResult(adErrObjectClosed), ErrorOf([&] {
                  records->Open("SELECT 1", connection, adOpenForwardOnly, adLockReadOnly,
                                adCmdText);
              }));
}

}  // namespace
