#include "platform/com/ComError.h"

#include <gtest/gtest.h>

#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

namespace {

TEST(ComErrorTest, MessagesFollowTheCode) {
    EXPECT_STREQ("Class not registered", _com_error(REGDB_E_CLASSNOTREG).ErrorMessage());
    EXPECT_STREQ("No such interface supported", _com_error(E_NOINTERFACE).ErrorMessage());
    EXPECT_STREQ("IDispatch error #5", _com_error(0x80040205).ErrorMessage());
    EXPECT_EQ(5, _com_error(0x80040205).WCode());
    EXPECT_STREQ("IDispatch error #4148", _com_error(0x80041234).ErrorMessage());
    EXPECT_STREQ("Unknown error 0x88880001", _com_error(0x88880001).ErrorMessage());
    EXPECT_EQ(0, _com_error(E_FAIL).WCode());
    EXPECT_EQ(static_cast<HRESULT>(0x80040207), _com_error::WCodeToHRESULT(7));
    EXPECT_EQ(WCODE_HRESULT_LAST, _com_error::WCodeToHRESULT(0xFE00));
}

TEST(ComErrorTest, DescriptionComesFromTheErrorInformation) {
    EXPECT_EQ(nullptr, _com_error(E_FAIL).Description().GetBSTR());
    IErrorInfo* info = platform::CreateErrorInfo(IID_IUnknown, "数据库", "连接失败");
    _com_error error(E_FAIL, info);
    _com_error copy = error;
    EXPECT_STREQ("连接失败", static_cast<const char*>(copy.Description()));
    EXPECT_STREQ("数据库", static_cast<const char*>(copy.Source()));
    IErrorInfo* again = error.ErrorInfo();
    EXPECT_EQ(info, again);
    again->Release();
}

TEST(ComErrorTest, ThreadInformationIsHandedOverOnce) {
    IErrorInfo* info = platform::CreateErrorInfo(IID_IUnknown, "", "first");
    EXPECT_EQ(S_OK, SetErrorInfo(0, info));
    info->Release();
    IErrorInfo* fetched = nullptr;
    EXPECT_EQ(S_OK, GetErrorInfo(0, &fetched));
    EXPECT_EQ(info, fetched);
    EXPECT_EQ(S_FALSE, GetErrorInfo(0, &fetched));
    EXPECT_EQ(nullptr, fetched);
    info->Release();
}

DEFINE_GUID(kConnection, 0x00000550, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E,
            0xA4);

class Supporting : public platform::ComObject<ISupportErrorInfo> {
public:
    HRESULT InterfaceSupportsErrorInfo(REFIID iid) override {
        return IsEqualIID(iid, kConnection) ? S_OK : S_FALSE;
    }
};

TEST(ComErrorTest, IssueErrorExTakesTheInformationOnlyWhenOffered) {
    auto* object = new Supporting;
    IErrorInfo* info = platform::CreateErrorInfo(kConnection, "", "no table");
    SetErrorInfo(0, info);
    info->Release();
    // The object does not offer information for this interface: it stays with the thread.
    try {
        _com_issue_errorex(E_FAIL, object, IID_IDispatch);
    } catch (const _com_error& error) {
        EXPECT_EQ(nullptr, error.Description().GetBSTR());
    }
    try {
        _com_issue_errorex(E_FAIL, object, kConnection);
    } catch (const _com_error& error) {
        EXPECT_EQ(E_FAIL, error.Error());
        EXPECT_STREQ("no table", static_cast<const char*>(error.Description()));
    }
    object->Release();
}

}  // namespace
