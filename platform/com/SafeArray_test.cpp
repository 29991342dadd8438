#include "platform/com/SafeArray.h"

#include <gtest/gtest.h>

namespace {

TEST(SafeArrayTest, VectorHasItsBoundsAndZeroedElements) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    ASSERT_NE(nullptr, array);
    EXPECT_EQ(1u, SafeArrayGetDim(array));
    EXPECT_EQ(sizeof(VARIANT), SafeArrayGetElemsize(array));
    EXPECT_EQ(FADF_HAVEVARTYPE | FADF_VARIANT, array->fFeatures);
    VARTYPE type = 0;
    EXPECT_EQ(S_OK, SafeArrayGetVartype(array, &type));
    EXPECT_EQ(VT_VARIANT, type);
    LONG lower = -1;
    LONG upper = -1;
    EXPECT_EQ(S_OK, SafeArrayGetLBound(array, 1, &lower));
    EXPECT_EQ(S_OK, SafeArrayGetUBound(array, 1, &upper));
    EXPECT_EQ(0, lower);
    EXPECT_EQ(0, upper);
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetLBound(array, 2, &lower));
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetUBound(array, 0, &upper));

    // The markup a page writes: one VARIANT holding a string, filled through the data pointer.
    VARIANT* elements = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(array, reinterpret_cast<void**>(&elements)));
    EXPECT_EQ(VT_EMPTY, elements[0].vt);
    elements[0].vt = VT_BSTR;
    elements[0].bstrVal = SysAllocString(u"<br>");
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(array));
    EXPECT_EQ(S_OK, SafeArrayUnaccessData(array));
    EXPECT_EQ(E_UNEXPECTED, SafeArrayUnaccessData(array));
    // Destroying frees the string inside (the address sanitizer reports a leak otherwise).
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
}

TEST(SafeArrayTest, UnsupportedTypesAndEmptyShapesAreRefused) {
    EXPECT_EQ(nullptr, SafeArrayCreateVector(VT_EMPTY, 0, 1));
    EXPECT_EQ(nullptr, SafeArrayCreateVector(VT_DECIMAL, 0, 1));
    SAFEARRAYBOUND bound = {1, 0};
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 0, &bound));
    SAFEARRAYBOUND huge[2] = {{0xFFFFFFFF, 0}, {0xFFFFFFFF, 0}};
    SAFEARRAY* tooBig = SafeArrayCreate(VT_VARIANT, 2, huge);
    EXPECT_EQ(nullptr, tooBig);
    SAFEARRAY* empty = SafeArrayCreateVector(VT_I4, 5, 0);
    ASSERT_NE(nullptr, empty);
    LONG upper = 0;
    SafeArrayGetUBound(empty, 1, &upper);
    EXPECT_EQ(4, upper);
    EXPECT_EQ(S_OK, SafeArrayDestroy(empty));
}

TEST(SafeArrayTest, ElementsAreCopiedInAndOut) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 1, 2);
    BSTR text = SysAllocString(u"first");
    LONG index = 1;
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, &index, text));
    SysFreeString(text);
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, &index, nullptr));
    text = SysAllocString(u"second");
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, &index, text));
    SysFreeString(text);

    BSTR out = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(array, &index, &out));
    EXPECT_EQ(std::u16string(u"second"), platform::ViewOfBstr(out));
    SysFreeString(out);

    LONG outside = 0;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetElement(array, &outside, &out));
    outside = 3;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayPutElement(array, &outside, text));

    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(S_OK, SafeArrayCopy(array, &copy));
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
    ASSERT_EQ(S_OK, SafeArrayGetElement(copy, &index, &out));
    EXPECT_EQ(std::u16string(u"second"), platform::ViewOfBstr(out));
    SysFreeString(out);
    EXPECT_EQ(S_OK, SafeArrayDestroy(copy));
}

TEST(SafeArrayTest, TwoDimensionsKeepTheirOwnBounds) {
    SAFEARRAYBOUND bounds[2] = {{2, 10}, {3, -1}};
    SAFEARRAY* array = SafeArrayCreate(VT_I4, 2, bounds);
    ASSERT_NE(nullptr, array);
    LONG bound = 0;
    SafeArrayGetLBound(array, 1, &bound);
    EXPECT_EQ(10, bound);
    SafeArrayGetUBound(array, 2, &bound);
    EXPECT_EQ(1, bound);
    LONG value = 0;
    for (LONG left = 10; left <= 11; ++left) {
        for (LONG right = -1; right <= 1; ++right) {
            LONG indices[2] = {right, left};
            value = left * 100 + right;
            ASSERT_EQ(S_OK, SafeArrayPutElement(array, indices, &value));
        }
    }
    LONG indices[2] = {0, 11};
    ASSERT_EQ(S_OK, SafeArrayGetElement(array, indices, &value));
    EXPECT_EQ(1100, value);
    const auto* data = static_cast<const LONG*>(array->pvData);
    EXPECT_EQ(999, data[0]);
    EXPECT_EQ(1000, data[1]);
    EXPECT_EQ(1101, data[5]);
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
}

}  // namespace
