#include "platform/com/Variant.h"

#include <gtest/gtest.h>

#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"
#include "platform/com/SafeArray.h"

namespace {

class Counted : public platform::ComObject<IUnknown> {
public:
    explicit Counted(bool* gone) : gone_(gone) {}
    ~Counted() override { *gone_ = true; }
    ULONG References() {
        AddRef();
        return Release();
    }

private:
    bool* gone_;
};

TEST(VariantTest, LayoutMatchesTheOriginal) {
    VARIANT value;
    EXPECT_EQ(0u, reinterpret_cast<BYTE*>(&value.vt) - reinterpret_cast<BYTE*>(&value));
    EXPECT_EQ(8u, reinterpret_cast<BYTE*>(&value.lVal) - reinterpret_cast<BYTE*>(&value));
    EXPECT_EQ(8u, reinterpret_cast<BYTE*>(&value.bstrVal) - reinterpret_cast<BYTE*>(&value));
    EXPECT_EQ(16u, sizeof(DECIMAL));
    EXPECT_EQ(0x400C, VT_BYREF | VT_VARIANT);
    EXPECT_EQ(-1, VARIANT_TRUE);
}

TEST(VariantTest, ClearGivesBackWhatTheValueOwns) {
    bool gone = false;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = new Counted(&gone);
    EXPECT_EQ(S_OK, VariantClear(&value));
    EXPECT_TRUE(gone);
    EXPECT_EQ(VT_EMPTY, value.vt);

    // A string freed twice or never would show under the address sanitizer.
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(u"text");
    EXPECT_EQ(S_OK, VariantClear(&value));

    value.vt = VT_ARRAY | VT_BSTR;
    value.parray = SafeArrayCreateVector(VT_BSTR, 0, 2);
    LONG index = 1;
    BSTR element = SysAllocString(u"x");
    SafeArrayPutElement(value.parray, &index, element);
    SysFreeString(element);
    EXPECT_EQ(S_OK, VariantClear(&value));
}

TEST(VariantTest, ClearLeavesReferencesAndUnknownTagsAlone) {
    bool gone = false;
    auto* object = new Counted(&gone);
    IUnknown* held = object;
    VARIANT value;
    value.vt = VT_BYREF | VT_UNKNOWN;
    value.ppunkVal = &held;
    EXPECT_EQ(S_OK, VariantClear(&value));
    EXPECT_FALSE(gone);
    EXPECT_EQ(1u, object->References());

    value.vt = 15;
    value.lVal = 7;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantClear(&value));
    EXPECT_EQ(15, value.vt);
    object->Release();
    EXPECT_TRUE(gone);
}

TEST(VariantTest, ClearRefusesALockedArray) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_ARRAY | VT_I4;
    value.parray = SafeArrayCreateVector(VT_I4, 0, 1);
    void* data = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(value.parray, &data));
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, VariantClear(&value));
    SafeArrayUnaccessData(value.parray);
    EXPECT_EQ(S_OK, VariantClear(&value));
}

TEST(VariantTest, CopyIsDeep) {
    bool gone = false;
    auto* object = new Counted(&gone);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_UNKNOWN;
    source.punkVal = object;
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    EXPECT_EQ(2u, object->References());
    VariantClear(&copy);
    VariantClear(&source);
    EXPECT_TRUE(gone);

    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringLen(u"a\0b", 3);
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    EXPECT_NE(source.bstrVal, copy.bstrVal);
    EXPECT_EQ(3u, SysStringLen(copy.bstrVal));
    // Copying over a value frees what it held.
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    VariantClear(&copy);
    VariantClear(&source);
}

TEST(VariantTest, CopyIndReadsThroughTheReference) {
    BSTR text = SysAllocString(u"shared");
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR;
    inner.bstrVal = text;
    VARIANT reference;
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = &inner;

    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(S_OK, VariantCopy(&copy, &reference));
    EXPECT_EQ(VT_BYREF | VT_VARIANT, copy.vt);
    EXPECT_EQ(&inner, copy.pvarVal);

    ASSERT_EQ(S_OK, VariantCopyInd(&copy, &reference));
    EXPECT_EQ(VT_BSTR, copy.vt);
    EXPECT_NE(text, copy.bstrVal);
    EXPECT_EQ(std::u16string(u"shared"), platform::ViewOfBstr(copy.bstrVal));
    VariantClear(&copy);

    LONG number = 42;
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &number;
    ASSERT_EQ(S_OK, VariantCopyInd(&reference, &reference));
    EXPECT_EQ(VT_I4, reference.vt);
    EXPECT_EQ(42, reference.lVal);
    VariantClear(&inner);
}

}  // namespace
