#include "platform/base/KernelObject.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

class Counted : public KernelObject {
public:
    explicit Counted(int& alive) : alive_(alive) { ++alive_; }
    ~Counted() override { --alive_; }

private:
    int& alive_;
};

class Other : public KernelObject {};

TEST(KernelObjectTest, CloseHandleDestroysTheObjectAndRefusesTheHandleAfterwards) {
    int alive = 0;
    HANDLE handle = KernelObject::Insert(std::make_shared<Counted>(alive));
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(handle) % 4, 0u);
    EXPECT_NE(KernelObject::LookupAs<Counted>(handle), nullptr);

    EXPECT_TRUE(CloseHandle(handle));
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(KernelObject::Lookup(handle), nullptr);

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(CloseHandle(handle));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(KernelObjectTest, NullInvalidAndForeignHandlesAreRefused) {
    int local = 0;
    for (HANDLE handle : {HANDLE{nullptr}, INVALID_HANDLE_VALUE, HANDLE{&local}}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(CloseHandle(handle));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_EQ(KernelObject::Lookup(handle), nullptr);
    }
}

TEST(KernelObjectTest, LookupAsChecksTheKind) {
    HANDLE handle = KernelObject::Insert(std::make_shared<Other>());
    EXPECT_EQ(KernelObject::LookupAs<Counted>(handle), nullptr);
    EXPECT_NE(KernelObject::LookupAs<Other>(handle), nullptr);
    EXPECT_TRUE(CloseHandle(handle));
}

TEST(KernelObjectTest, ObjectLivesUntilEveryHandleAndLookupIsGone) {
    int alive = 0;
    auto object = std::make_shared<Counted>(alive);
    HANDLE first = KernelObject::Insert(object);
    HANDLE second = KernelObject::Insert(object);
    object.reset();
    EXPECT_NE(first, second);

    std::shared_ptr<KernelObject> held = KernelObject::Lookup(first);
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_EQ(alive, 1);  // still held by the lookup, as a thread in the middle of a call would
    held.reset();
    EXPECT_EQ(alive, 0);
}

}  // namespace
}  // namespace platform
