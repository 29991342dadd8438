#include "platform/framework/WinThread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"

namespace {

struct Job {
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> runs{0};
    ~Job() { CloseHandle(done); }
};

UINT RunJob(LPVOID param) {
    auto* job = static_cast<Job*>(param);
    ++job->runs;
    SetEvent(job->done);
    return 7;
}

TEST(WinThreadTest, BeginThreadRunsTheProcedureWithItsParameter) {
    Job job;
    CWinThread* thread = AfxBeginThread(RunJob, &job);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(job.done, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(job.runs, 1);
    // The object deletes itself when the procedure returns; the pointer is not used again.
}

TEST(WinThreadTest, AKeptObjectReportsTheExitCode) {
    Job job;
    CWinThread* thread =
        AfxBeginThread(RunJob, &job, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_NE(thread->m_nThreadID, 0u);
    EXPECT_EQ(thread->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(job.done, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    EXPECT_EQ(thread->ResumeThread(), 1u);
    EXPECT_EQ(thread->ResumeThread(), 0u);
    ASSERT_EQ(WaitForSingleObject(*thread, 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(job.runs, 1);
    delete thread;
}

TEST(WinThreadTest, AThreadWithoutProcedureDoesNotStart) {
    CWinThread thread(nullptr, nullptr);
    EXPECT_FALSE(thread.CreateThread());
    EXPECT_EQ(thread.m_hThread, nullptr);
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

}  // namespace
