#include "platform/com/ComPtrT.h"

#include <gtest/gtest.h>

#include "platform/com/ComObject.h"
#include "platform/com/ServiceProvider.h"

namespace {

DEFINE_GUID(kProviderClass, 0x3C374A40, 0xBAE4, 0x11CF, 0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46,
            0xEE);

int alive = 0;

class Provider : public platform::ComObject<IServiceProvider> {
public:
    Provider() { ++alive; }
    ~Provider() override { --alive; }
    HRESULT QueryService(REFGUID, REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG Count() {
        AddRef();
        return Release();
    }
};

_COM_SMARTPTR_TYPEDEF(IServiceProvider, IID_IServiceProvider);

class ComPtrTest : public ::testing::Test {
protected:
    void SetUp() override {
        alive = 0;
        CoInitialize(nullptr);
        platform::RegisterComClass(kProviderClass, [](REFIID iid, void** object) {
            return platform::CreateComObject<Provider>(iid, object);
        });
    }
    void TearDown() override {
        platform::UnregisterComClass(kProviderClass);
        CoUninitialize();
        EXPECT_EQ(0, alive);
    }
};

TEST_F(ComPtrTest, CreatesHoldsAndReleases) {
    {
        IServiceProviderPtr provider;
        EXPECT_FALSE(provider);
        ASSERT_EQ(S_OK, provider.CreateInstance(kProviderClass));
        EXPECT_TRUE(provider);
        EXPECT_EQ(1, alive);
        IServiceProviderPtr copy = provider;
        EXPECT_EQ(2u, static_cast<Provider*>(copy.GetInterfacePtr())->Count());
    }
    EXPECT_EQ(0, alive);

    IServiceProviderPtr fromText;
    EXPECT_EQ(S_OK, fromText.CreateInstance(u"{3C374A40-BAE4-11CF-BF7D-00AA006946EE}"));
    EXPECT_EQ(CO_E_CLASSSTRING, fromText.CreateInstance(u"UrlHistory"));
    EXPECT_FALSE(fromText);
}

TEST_F(ComPtrTest, AssigningFromATemporaryMovesTheReference) {
    IServiceProviderPtr first;
    ASSERT_EQ(S_OK, first.CreateInstance(kProviderClass));
    IServiceProviderPtr held;
    held = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(1u, static_cast<Provider*>(held.GetInterfacePtr())->Count());
    held = IServiceProviderPtr();
    EXPECT_EQ(0, alive);
}

TEST_F(ComPtrTest, OtherInterfacesAreAskedFor) {
    IServiceProviderPtr provider(kProviderClass);
    IUnknownPtr unknown = provider;
    EXPECT_TRUE(unknown);
    EXPECT_EQ(static_cast<IUnknown*>(provider.GetInterfacePtr()), unknown.GetInterfacePtr());
    IDispatchPtr dispatch = provider.GetInterfacePtr();
    EXPECT_FALSE(dispatch);
    IDispatchPtr missing(kProviderClass);
    EXPECT_FALSE(missing);

    _variant_t value(static_cast<IUnknown*>(provider));
    IServiceProviderPtr fromValue = value;
    EXPECT_EQ(provider.GetInterfacePtr(), fromValue.GetInterfacePtr());
    _variant_t number(5);
    EXPECT_THROW(IServiceProviderPtr wrong = number, _com_error);
}

TEST_F(ComPtrTest, AttachDetachAndTheAddressOperatorKeepCountsRight) {
    auto* raw = new Provider;
    IServiceProviderPtr held;
    held.Attach(raw);
    EXPECT_EQ(1u, raw->Count());
    IServiceProvider* detached = held.Detach();
    EXPECT_FALSE(held);
    held.Attach(detached, true);
    EXPECT_EQ(2u, raw->Count());
    detached->Release();

    // Filling the pointer through & lets go of what it held.
    IServiceProvider** slot = &held;
    EXPECT_EQ(nullptr, *slot);
    EXPECT_EQ(0, alive);
}

TEST_F(ComPtrTest, NullUseThrowsInvalidPointer) {
    IServiceProviderPtr empty;
    try {
        void* out = nullptr;
        empty->QueryService(GUID_NULL, IID_IUnknown, &out);
        FAIL() << "no exception";
    } catch (const _com_error& error) {
        EXPECT_EQ(E_POINTER, error.Error());
    }
    EXPECT_THROW(empty.Release(), _com_error);
    EXPECT_THROW(empty.AddRef(), _com_error);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, empty.CreateInstance(GUID_NULL));
    EXPECT_THROW(IServiceProviderPtr unknown(GUID_NULL), _com_error);
}

}  // namespace
