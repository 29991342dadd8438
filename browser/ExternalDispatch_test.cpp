#include "browser/ExternalDispatch.h"

#include <gtest/gtest.h>

#include "platform/com/Bstr.h"

namespace {

TEST(ExternalDispatchTest, AnswersOnlyForIDispatchAndCountsWithoutFreeing) {
    CExternalDispatch external;
    void* object = &external;
    EXPECT_EQ(external.QueryInterface(IID_IUnknown, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(external.QueryInterface(IID_IDispatch, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDispatch*>(&external));
    EXPECT_EQ(external.AddRef(), 2u);
    EXPECT_EQ(external.Release(), 1u);
    // The last release leaves the object alive: the application deletes it.
    EXPECT_EQ(external.Release(), 0u);
    EXPECT_EQ(external.AddRef(), 1u);
}

TEST(ExternalDispatchTest, TypeInformationIsNotOffered) {
    CExternalDispatch external;
    UINT count = 7;
    EXPECT_EQ(external.GetTypeInfoCount(&count), E_NOTIMPL);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(external.GetTypeInfo(0, 0, &info), E_NOTIMPL);
}

TEST(ExternalDispatchTest, OnlyXxyyzzHasAnIdEvenInFullWidth) {
    CExternalDispatch external;
    OLECHAR known[] = u"xxyyzz";
    OLECHAR wide[] = u"ｘｘｙｙｚｚ";
    OLECHAR upper[] = u"XXYYZZ";
    OLECHAR other[] = u"status";
    LPOLESTR names[] = {known, wide};
    DISPID ids[] = {0, 0};
    EXPECT_EQ(external.GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 12345);
    EXPECT_EQ(ids[1], 12345);

    LPOLESTR mixed[] = {other, known, upper};
    DISPID mixedIds[] = {0, 0, 0};
    EXPECT_EQ(external.GetIDsOfNames(IID_NULL, mixed, 3, 0, mixedIds), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(mixedIds[0], DISPID_UNKNOWN);
    EXPECT_EQ(mixedIds[1], 12345);
    EXPECT_EQ(mixedIds[2], DISPID_UNKNOWN);
}

TEST(ExternalDispatchTest, ReadingXxyyzzGivesWibble) {
    CExternalDispatch external;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(
        external.Invoke(12345, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
        S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(platform::ViewOfBstr(result.bstrVal), u"Wibble");
    VariantClear(&result);
}

TEST(ExternalDispatchTest, EveryOtherCallSucceedsWithoutAResult) {
    CExternalDispatch external;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(
        external.Invoke(12345, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_EQ(
        external.Invoke(7, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_EQ(
        external.Invoke(12345, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
        S_OK);
}

}  // namespace
