#include "platform/com/Guid.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/com/HResult.h"

namespace {

DEFINE_GUID(kWebBrowser, 0x8856F961, 0x340A, 0x11D0, 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05,
            0xA2);

TEST(GuidTest, HasTheOriginalByteLayout) {
    static_assert(sizeof(GUID) == 16);
    const BYTE expected[16] = {0x61, 0xF9, 0x56, 0x88, 0x0A, 0x34, 0xD0, 0x11,
                               0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2};
    EXPECT_EQ(0, std::memcmp(&kWebBrowser, expected, sizeof expected));
}

TEST(GuidTest, EqualityLooksAtEveryByte) {
    GUID other = kWebBrowser;
    EXPECT_TRUE(IsEqualGUID(other, kWebBrowser));
    EXPECT_TRUE(other == kWebBrowser);
    other.Data4[7] ^= 1;
    EXPECT_FALSE(IsEqualGUID(other, kWebBrowser));
    EXPECT_FALSE(IsEqualIID(GUID_NULL, kWebBrowser));
}

TEST(GuidTest, TextFormIsBracedUpperCase) {
    OLECHAR text[39];
    ASSERT_EQ(39, StringFromGUID2(kWebBrowser, text, 39));
    EXPECT_EQ(std::u16string(u"{8856F961-340A-11D0-A96B-00C04FD705A2}"), text);
    EXPECT_EQ(0, StringFromGUID2(kWebBrowser, text, 38));
}

TEST(GuidTest, TextParsesBackInEitherCase) {
    CLSID clsid{};
    EXPECT_EQ(NOERROR, CLSIDFromString(u"{8856f961-340a-11d0-a96b-00c04fd705a2}", &clsid));
    EXPECT_TRUE(clsid == kWebBrowser);
    IID iid{};
    EXPECT_EQ(NOERROR, IIDFromString(u"{8856F961-340A-11D0-A96B-00C04FD705A2}", &iid));
    EXPECT_TRUE(iid == kWebBrowser);
}

TEST(GuidTest, MalformedTextIsRefusedAndLeavesTheOutputAlone) {
    const char16_t* bad[] = {
        u"",
        u"8856F961-340A-11D0-A96B-00C04FD705A2",
        u"{8856F961-340A-11D0-A96B-00C04FD705A}",
        u"{8856F961-340A-11D0-A96B-00C04FD705A2}x",
        u"{8856F961-340A-11D0A96B-00C04FD705A2}",
        u"{8856F96G-340A-11D0-A96B-00C04FD705A2}",
        u"Shell.Explorer",
    };
    for (const char16_t* text : bad) {
        CLSID clsid = kWebBrowser;
        EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromString(text, &clsid));
        EXPECT_TRUE(clsid == kWebBrowser);
        IID iid{};
        EXPECT_EQ(E_INVALIDARG, IIDFromString(text, &iid));
    }
    CLSID clsid{};
    EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromString(nullptr, &clsid));
}

TEST(HResultTest, BuiltCodesHaveTheOriginalValues) {
    EXPECT_EQ(static_cast<HRESULT>(0x80070005), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(E_INVALIDARG, HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(S_OK, HRESULT_FROM_WIN32(ERROR_SUCCESS));
    EXPECT_EQ(E_FAIL, HRESULT_FROM_WIN32(static_cast<unsigned long>(E_FAIL)));
    EXPECT_EQ(static_cast<HRESULT>(0x80040200), WCODE_HRESULT_FIRST);
    EXPECT_EQ(static_cast<HRESULT>(0x8004FFFF), WCODE_HRESULT_LAST);
    EXPECT_EQ(OLECMDERR_E_NOTSUPPORTED, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x100));
    EXPECT_EQ(DISP_E_EXCEPTION, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_DISPATCH, 9));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
    EXPECT_EQ(std::string("Class not registered"), platform::ComErrorText(REGDB_E_CLASSNOTREG));
    EXPECT_EQ(std::string(""), platform::ComErrorText(0x80041234));
}

}  // namespace
