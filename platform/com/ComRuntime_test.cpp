#include "platform/com/ComRuntime.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

namespace {

DEFINE_GUID(kTestClass, 0x00000514, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(kUnknownClass, 0x12345678, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E,
            0xA4);

int created = 0;

class Plain : public platform::ComObject<IUnknown> {
public:
    Plain() { ++created; }
};

class ComRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        created = 0;
        platform::RegisterComClass(kTestClass, [](REFIID iid, void** object) {
            return platform::CreateComObject<Plain>(iid, object);
        });
    }
    void TearDown() override { platform::UnregisterComClass(kTestClass); }
};

TEST_F(ComRuntimeTest, InitialisationCountsPerThread) {
    ASSERT_FALSE(platform::IsComInitialized());
    EXPECT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    EXPECT_EQ(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    HRESULT elsewhere = S_FALSE;
    std::thread([&] { elsewhere = CoInitializeEx(nullptr, COINIT_MULTITHREADED); }).join();
    EXPECT_EQ(S_OK, elsewhere);
    CoUninitialize();
    EXPECT_TRUE(platform::IsComInitialized());
    CoUninitialize();
    EXPECT_FALSE(platform::IsComInitialized());
    CoUninitialize();
    EXPECT_EQ(S_OK, OleInitialize(nullptr));
    OleUninitialize();
    EXPECT_FALSE(platform::IsComInitialized());
}

TEST_F(ComRuntimeTest, CreationNeedsAnInitialisedThread) {
    HRESULT result = S_OK;
    void* object = &result;
    std::thread([&] {
        result = CoCreateInstance(kTestClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
    }).join();
    EXPECT_EQ(CO_E_NOTINITIALIZED, result);
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(0, created);
}

TEST_F(ComRuntimeTest, CreatesRegisteredClassesOnly) {
    CoInitialize(nullptr);
    IUnknown* object = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(kTestClass, nullptr, CLSCTX_ALL, IID_IUnknown,
                                     reinterpret_cast<void**>(&object)));
    EXPECT_EQ(1, created);
    EXPECT_EQ(S_OK, OleRun(object));
    EXPECT_EQ(E_INVALIDARG, OleRun(nullptr));
    void* out = &out;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              CoCreateInstance(kTestClass, object, CLSCTX_INPROC_SERVER, IID_IUnknown, &out));
    EXPECT_EQ(0u, object->Release());

    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(kUnknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(kTestClass, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &out));
    EXPECT_EQ(E_NOINTERFACE,
              CoCreateInstance(kTestClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(E_POINTER,
              CoCreateInstance(kTestClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr));
    EXPECT_TRUE(platform::UnregisterComClass(kTestClass));
    EXPECT_FALSE(platform::UnregisterComClass(kTestClass));
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(kTestClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &out));
    CoUninitialize();
}

TEST_F(ComRuntimeTest, TaskMemoryStringsEndWithANul) {
    OLECHAR* text = platform::CoTaskMemString(u"title");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(std::u16string(u"title"), text);
    CoTaskMemFree(text);
    CoTaskMemFree(nullptr);
    void* block = CoTaskMemAlloc(0);
    EXPECT_NE(nullptr, block);
    EXPECT_EQ(nullptr, CoTaskMemRealloc(block, 0));
}

}  // namespace
