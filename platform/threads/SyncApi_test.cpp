#include "platform/threads/SyncApi.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/threads/CriticalSection.h"
#include "platform/threads/SingleLock.h"
#include "platform/threads/ThreadApi.h"

namespace {

class Handles {
public:
    ~Handles() {
        for (HANDLE handle : handles_) {
            CloseHandle(handle);
        }
    }
    HANDLE Add(HANDLE handle) {
        handles_.push_back(handle);
        return handle;
    }
    HANDLE Event(bool manual, bool signaled) {
        return Add(CreateEventA(nullptr, manual, signaled, nullptr));
    }

private:
    std::vector<HANDLE> handles_;
};

TEST(EventTest, AutoResetReleasesOneWaitAndResets) {
    Handles handles;
    HANDLE event = handles.Event(false, true);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    ASSERT_TRUE(SetEvent(event));
    ASSERT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 10), WAIT_TIMEOUT);
}

TEST(EventTest, ManualResetStaysSignalledUntilReset) {
    Handles handles;
    HANDLE event = handles.Event(true, false);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    ASSERT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(ResetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
}

DWORD WINAPI WaitOnEvent(LPVOID event) {
    return WaitForSingleObject(static_cast<HANDLE>(event), INFINITE) == WAIT_OBJECT_0 ? 1 : 2;
}

TEST(EventTest, SetOnAutoResetEventWakesExactlyOneOfTwoWaiters) {
    Handles handles;
    HANDLE event = handles.Event(false, false);
    HANDLE threads[2] = {handles.Add(CreateThread(nullptr, 0, WaitOnEvent, event, 0, nullptr)),
                         handles.Add(CreateThread(nullptr, 0, WaitOnEvent, event, 0, nullptr))};
    ASSERT_TRUE(SetEvent(event));
    DWORD first = WaitForMultipleObjects(2, threads, FALSE, INFINITE);
    ASSERT_LT(first, WAIT_OBJECT_0 + 2);
    HANDLE other = threads[1 - (first - WAIT_OBJECT_0)];
    EXPECT_EQ(WaitForSingleObject(other, 20), WAIT_TIMEOUT);
    ASSERT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(other, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
}

TEST(WaitTest, WaitForAnyReportsTheLowestSignalledIndexAndTakesOnlyIt) {
    Handles handles;
    HANDLE events[3] = {handles.Event(false, false), handles.Event(false, true),
                        handles.Event(false, true)};
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_TIMEOUT);
}

TEST(WaitTest, WaitForAllTakesNothingUntilEveryObjectIsSignalled) {
    Handles handles;
    HANDLE events[2] = {handles.Event(false, true), handles.Event(false, false)};
    EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 10), WAIT_TIMEOUT);
    // The signalled auto-reset event was not consumed by the failed wait.
    EXPECT_EQ(WaitForSingleObject(events[0], 0), WAIT_OBJECT_0);
    SetEvent(events[0]);
    SetEvent(events[1]);
    EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(events[0], 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(events[1], 0), WAIT_TIMEOUT);
}

TEST(WaitTest, BadHandlesAndCountsFail) {
    Handles handles;
    HANDLE event = handles.Event(true, true);
    HANDLE closed = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    CloseHandle(closed);

    EXPECT_EQ(WaitForSingleObject(closed, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, 0), WAIT_FAILED);

    HANDLE many[MAXIMUM_WAIT_OBJECTS + 1];
    std::fill(std::begin(many), std::end(many), event);
    EXPECT_EQ(WaitForMultipleObjects(0, many, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, many, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS, many, FALSE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForMultipleObjects(2, many, TRUE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    EXPECT_FALSE(SetEvent(closed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(CreateEventA(nullptr, TRUE, FALSE, "named"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

struct TryFromOtherThread {
    LPCRITICAL_SECTION section;
    static DWORD WINAPI Run(LPVOID self) {
        auto* section = static_cast<TryFromOtherThread*>(self)->section;
        if (!TryEnterCriticalSection(section)) {
            return 0;
        }
        LeaveCriticalSection(section);
        return 1;
    }
};

DWORD TryEnterOnAnotherThread(LPCRITICAL_SECTION section) {
    TryFromOtherThread attempt{section};
    HANDLE thread = CreateThread(nullptr, 0, TryFromOtherThread::Run, &attempt, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}

TEST(CriticalSectionTest, OwnerReentersAndOthersWaitUntilEveryEntryIsLeft) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_EQ(TryEnterOnAnotherThread(&section), 0u);
    LeaveCriticalSection(&section);
    EXPECT_EQ(TryEnterOnAnotherThread(&section), 0u);
    LeaveCriticalSection(&section);
    EXPECT_EQ(TryEnterOnAnotherThread(&section), 1u);
    DeleteCriticalSection(&section);
}

TEST(CriticalSectionTest, FrameworkLockIsReentrantAndSingleLockReleasesOnScopeEnd) {
    CCriticalSection lock;
    {
        CSingleLock outer(&lock, TRUE);
        EXPECT_TRUE(outer.IsLocked());
        CSingleLock inner(&lock);
        EXPECT_FALSE(inner.IsLocked());
        EXPECT_TRUE(inner.Lock());
        EXPECT_EQ(TryEnterOnAnotherThread(lock), 0u);
        EXPECT_TRUE(inner.Unlock());
        EXPECT_FALSE(inner.IsLocked());
        EXPECT_EQ(TryEnterOnAnotherThread(lock), 0u);
    }
    EXPECT_EQ(TryEnterOnAnotherThread(lock), 1u);
}

}  // namespace
