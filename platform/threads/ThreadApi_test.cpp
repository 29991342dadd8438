#include "platform/threads/ThreadApi.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/threads/SyncApi.h"

namespace {

struct Rendezvous {
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD seenId = 0;
    ~Rendezvous() { CloseHandle(go); }
};

DWORD WINAPI WaitForGoAndReport(LPVOID parameter) {
    auto* rendezvous = static_cast<Rendezvous*>(parameter);
    rendezvous->seenId = GetCurrentThreadId();
    WaitForSingleObject(rendezvous->go, INFINITE);
    return 42;
}

TEST(ThreadTest, RunsWithItsParameterAndReportsStillActiveUntilItEnds) {
    Rendezvous rendezvous;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitForGoAndReport, &rendezvous, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());

    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);

    SetEvent(rendezvous.go);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(rendezvous.seenId, id);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    // An ended thread stays signalled.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(thread));
}

TEST(ThreadTest, BadArgumentsFail) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(event, &code));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(TerminateThread(event, 1));
    EXPECT_FALSE(platform::RequestStop(event));
    CloseHandle(event);

    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(CreateThread(nullptr, 0, WaitForGoAndReport, nullptr, CREATE_SUSPENDED, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

DWORD WINAPI SpinUntilStopped(LPVOID) {
    while (!platform::StopRequested()) {
        std::this_thread::yield();
    }
    return 7;
}

TEST(ThreadTest, TerminateAsksTheThreadToStopAndSetsTheGivenExitCode) {
    EXPECT_FALSE(platform::StopRequested());
    HANDLE thread = CreateThread(nullptr, 0, SpinUntilStopped, nullptr, 0, nullptr);
    ASSERT_TRUE(TerminateThread(thread, 99));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 99u);
    CloseHandle(thread);
}

TEST(ThreadTest, RequestStopLetsTheThreadEndWithItsOwnCode) {
    HANDLE thread = CreateThread(nullptr, 0, SpinUntilStopped, nullptr, 0, nullptr);
    ASSERT_TRUE(platform::RequestStop(thread));
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 7u);
    // Terminating an ended thread keeps its code.
    EXPECT_TRUE(TerminateThread(thread, 5));
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 7u);
    CloseHandle(thread);
}

std::mutex journal_mutex;
std::vector<std::string> journal;
thread_local bool journaling = false;

void Note(const std::string& line) {
    if (journaling) {
        std::lock_guard lock(journal_mutex);
        journal.push_back(line);
    }
}

DWORD WINAPI NoteBody(LPVOID) {
    Note("body");
    return 0;
}

TEST(ThreadTest, SetupRunsFirstAndExitFunctionsRunLastInReverseOrder) {
    platform::AddThreadSetup(
        [] {
            journaling = true;
            Note("init 1");
        },
        [] { Note("exit 1"); });
    platform::AddThreadSetup([] { Note("init 2"); }, {});
    platform::AddThreadSetup({}, [] { Note("exit 3"); });

    HANDLE thread = CreateThread(nullptr, 0, NoteBody, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    std::lock_guard lock(journal_mutex);
    EXPECT_THAT(journal, testing::ElementsAre("init 1", "init 2", "body", "exit 3", "exit 1"));
}

DWORD WINAPI IgnoreStop(LPVOID) {
    for (;;) {
        std::this_thread::yield();
    }
}

struct ReportsDestruction {
    ~ReportsDestruction() { std::fputs("destroyed\n", stderr); }
};

TEST(ThreadDeathTest, ProcessExitStopsCooperativeWorkersAndKeepsItsStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static ReportsDestruction global;
            CreateThread(nullptr, 0, SpinUntilStopped, nullptr, 0, nullptr);
            std::exit(5);
        },
        testing::ExitedWithCode(5), "destroyed");
}

TEST(ThreadDeathTest, WorkerThatIgnoresTheStopNeverSeesGlobalsDestroyed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static ReportsDestruction global;
            CreateThread(nullptr, 0, IgnoreStop, nullptr, 0, nullptr);
            std::exit(6);
        },
        testing::ExitedWithCode(6), testing::Not(testing::HasSubstr("destroyed")));
}

}  // namespace
