#include "platform/com/BstrT.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/com/ComError.h"
#include "platform/com/VariantT.h"

namespace {

TEST(BstrTTest, ConvertsBetweenGbkAndUtf16) {
    _bstr_t text("网页 Page");
    EXPECT_EQ(7u, text.length());
    EXPECT_EQ(std::u16string(u"网页 Page"), static_cast<const OLECHAR*>(text));
    EXPECT_STREQ("网页 Page", static_cast<const char*>(text));
    _bstr_t wide(u"标题");
    EXPECT_STREQ("标题", static_cast<const char*>(wide));
}

TEST(BstrTTest, NoStringAndEmptyStringDiffer) {
    _bstr_t none;
    EXPECT_EQ(nullptr, static_cast<const char*>(none));
    EXPECT_EQ(nullptr, static_cast<const OLECHAR*>(none));
    EXPECT_TRUE(!none);
    _bstr_t empty("");
    EXPECT_STREQ("", static_cast<const char*>(empty));
    EXPECT_TRUE(!empty);
    EXPECT_TRUE(none == empty);
    _bstr_t fromNull(static_cast<const char*>(nullptr));
    EXPECT_EQ(nullptr, fromNull.GetBSTR());
}

TEST(BstrTTest, CopiesShareAndChangesDoNot) {
    _bstr_t first("one");
    _bstr_t second = first;
    EXPECT_EQ(first.GetBSTR(), second.GetBSTR());
    second += " two";
    EXPECT_STREQ("one", static_cast<const char*>(first));
    EXPECT_STREQ("one two", static_cast<const char*>(second));
    EXPECT_STREQ("zero one", static_cast<const char*>("zero " + first));
    EXPECT_TRUE(first == "one");
    EXPECT_TRUE(first < second);
    EXPECT_FALSE(first == u"One");
}

TEST(BstrTTest, HandsStringsInAndOut) {
    _bstr_t text;
    *text.GetAddress() = SysAllocString(u"filled");
    EXPECT_STREQ("filled", static_cast<const char*>(text));
    BSTR copy = text.copy();
    EXPECT_NE(copy, text.GetBSTR());
    text.Attach(copy);
    _bstr_t shared = text;
    BSTR detached = text.Detach();
    // Shared, so the caller receives a copy of its own.
    EXPECT_NE(detached, shared.GetBSTR());
    EXPECT_EQ(nullptr, text.GetBSTR());
    SysFreeString(detached);
    BSTR owned = shared.Detach();
    EXPECT_EQ(6u, SysStringLen(owned));
    _bstr_t taken(owned, false);
    EXPECT_EQ(owned, taken.GetBSTR());
}

TEST(BstrTTest, ValuesBecomeTheirText) {
    EXPECT_STREQ("42", static_cast<const char*>(_bstr_t(_variant_t(42))));
    EXPECT_STREQ("-1", static_cast<const char*>(_bstr_t(_variant_t(true))));
    _variant_t null;
    null.vt = VT_NULL;
    try {
        _bstr_t text(null);
        FAIL() << "no exception";
    } catch (const _com_error& error) {
        EXPECT_EQ(DISP_E_TYPEMISMATCH, error.Error());
    }
}

}  // namespace
