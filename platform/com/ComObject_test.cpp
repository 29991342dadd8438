#include "platform/com/ComObject.h"

#include <gtest/gtest.h>

#include "platform/com/Dispatch.h"
#include "platform/com/ServiceProvider.h"

namespace {

int destroyed = 0;

class Sample : public platform::ComObject<IDispatch, IServiceProvider> {
public:
    ~Sample() override { ++destroyed; }

    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT QueryService(REFGUID, REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
};

class ComObjectTest : public ::testing::Test {
protected:
    void SetUp() override { destroyed = 0; }
};

TEST_F(ComObjectTest, FreesExactlyWhenTheLastReferenceGoes) {
    auto* object = new Sample;
    EXPECT_EQ(2u, object->AddRef());
    EXPECT_EQ(1u, object->Release());
    EXPECT_EQ(0, destroyed);
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(1, destroyed);
}

TEST_F(ComObjectTest, EveryInterfaceLeadsToTheSameIdentity) {
    auto* object = new Sample;
    IUnknown* fromDispatch = nullptr;
    IServiceProvider* provider = nullptr;
    IUnknown* fromProvider = nullptr;
    ASSERT_EQ(S_OK,
              object->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&provider)));
    ASSERT_EQ(S_OK,
              provider->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromProvider)));
    ASSERT_EQ(S_OK, static_cast<IDispatch*>(object)->QueryInterface(
                        IID_IUnknown, reinterpret_cast<void**>(&fromDispatch)));
    EXPECT_EQ(fromDispatch, fromProvider);
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IDispatch*>(object)), fromDispatch);
    EXPECT_NE(static_cast<void*>(provider), static_cast<void*>(static_cast<IDispatch*>(object)));

    // Three references handed out plus the creator's.
    EXPECT_EQ(5u, object->AddRef());
    object->Release();
    provider->Release();
    fromProvider->Release();
    fromDispatch->Release();
    EXPECT_EQ(0, destroyed);
    object->Release();
    EXPECT_EQ(1, destroyed);
}

TEST_F(ComObjectTest, UnknownInterfaceGivesNullAndNoReference) {
    auto* object = new Sample;
    constexpr GUID kOther = {
        0x3050F1FF, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
    void* out = object;
    EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(kOther, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(E_POINTER, object->QueryInterface(IID_IDispatch, nullptr));
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(1, destroyed);
}

TEST_F(ComObjectTest, CreateHandsOutTheOnlyReference) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(S_OK, platform::CreateComObject<Sample>(IID_IDispatch,
                                                      reinterpret_cast<void**>(&dispatch)));
    EXPECT_EQ(0u, dispatch->Release());
    EXPECT_EQ(1, destroyed);

    constexpr GUID kOther = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    void* out = &out;
    EXPECT_EQ(E_NOINTERFACE, platform::CreateComObject<Sample>(kOther, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(2, destroyed);
}

}  // namespace
