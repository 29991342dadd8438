#include "platform/process/ProcessApi.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"
#include "platform/threads/SyncApi.h"

namespace {

using platform::ProcessStart;
using testing::ElementsAre;

// A program that writes its working folder and each argument on a line of "out.txt" in its
// working folder and ends with status 3.
const char kReportingProgram[] =
    "#!/bin/sh\n"
    "pwd > out.txt\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\" >> out.txt; done\n"
    "exit 3\n";

class ProcessStartTest : public testing::Test {
protected:
    ProcessStartTest() {
        platform::ClearStartedProcesses();
        platform::UseDefaultDesktopOpener();
        platform::SetProcessStartInterceptor({});
    }
    ~ProcessStartTest() override {
        platform::SetProcessStartInterceptor({});
        platform::UseDefaultDesktopOpener();
    }

    std::string AddProgram(const std::string& relative, const char* text, bool executable) {
        temp_.WriteFile(relative, text);
        std::filesystem::path path = temp_.path() / relative;
        chmod(path.c_str(), executable ? 0755 : 0644);
        return platform::ToWindowsPath(path);
    }

    std::string Windows(const std::string& relative) const {
        return platform::ToWindowsPath(temp_.path() / relative);
    }

    static INT_PTR Shell(LPCSTR verb, const std::string& file, LPCSTR parameters, LPCSTR folder) {
        return reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, verb, file.c_str(), parameters, folder, SW_SHOWNORMAL));
    }

    // The one start recorded, after its child (if any) has ended.
    static ProcessStart OnlyStart() {
        auto starts = platform::StartedProcesses();
        EXPECT_EQ(starts.size(), 1u);
        if (starts.empty()) {
            return {};
        }
        if (starts[0].child) {
            starts[0].child->WaitForExit();
        }
        return starts[0];
    }

    platform::testing::TempFolder temp_;
};

TEST_F(ProcessStartTest, ExecutableStartsWithSplitParametersInTheGivenFolder) {
    const std::string program = AddProgram("bin/Tool.exe", kReportingProgram, true);
    temp_.WriteFile("work/keep", "");
    const std::string folder = Windows("work");
    // Found although the case differs, like every file name.
    std::string differentCase = program;
    differentCase.replace(differentCase.size() - 8, 8, "TOOL.EXE");

    EXPECT_EQ(Shell("open", differentCase, "update \"two words\" C:\\x\\", folder.c_str()), 42);
    ProcessStart start = OnlyStart();
    EXPECT_EQ(start.kind, ProcessStart::Kind::kProgram);
    EXPECT_EQ(start.program, temp_.path() / "bin/Tool.exe");
    ASSERT_TRUE(start.child);
    EXPECT_EQ(start.child->ExitCode(), 3u);
    EXPECT_EQ(temp_.ReadFile("work/out.txt"),
              (temp_.path() / "work").string() + "\nupdate\ntwo words\nC:\\x\\\n");
    // Reaped: nothing is left to wait for.
    EXPECT_EQ(waitpid(start.child->pid(), nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProcessStartTest, GbkParametersReachTheChildAsUtf8) {
    const std::string program = AddProgram("Tool.exe", kReportingProgram, true);
    EXPECT_EQ(Shell(nullptr, program, "\"文件 名\"", Windows("").c_str()), 42);
    OnlyStart();
    EXPECT_EQ(temp_.ReadFile("out.txt"),
              temp_.path().string() + "\n" + reinterpret_cast<const char*>(u8"文件 名") + "\n");
}

TEST_F(ProcessStartTest, FailuresGiveTheOriginalCodes) {
    AddProgram("Tool.exe", kReportingProgram, true);
    AddProgram("windows.exe", "MZ", false);
    EXPECT_EQ(Shell("open", Windows("missing.exe"), nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Shell("open", Windows("nofolder/missing.exe"), nullptr, nullptr),
              ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(Shell("open", Windows("Tool.exe"), nullptr, Windows("nofolder").c_str()),
              ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(Shell("print", Windows("Tool.exe"), nullptr, nullptr), SE_ERR_NOASSOC);
    EXPECT_EQ(Shell("open", "", nullptr, nullptr), SE_ERR_FNF);
    EXPECT_EQ(Shell("open", Windows("windows.exe"), nullptr, nullptr), ERROR_BAD_FORMAT);
    EXPECT_TRUE(platform::StartedProcesses().empty());
}

TEST_F(ProcessStartTest, DocumentsAndAddressesGoToTheDesktopOpener) {
    const std::string opener = AddProgram("opener", kReportingProgram, true);
    temp_.WriteFile("page.htm", "<html>");
    platform::SetDesktopOpener(temp_.path() / "opener");

    EXPECT_EQ(Shell("Open", Windows("page.htm"), nullptr, Windows("").c_str()), 42);
    ProcessStart start = OnlyStart();
    EXPECT_EQ(start.kind, ProcessStart::Kind::kOpener);
    EXPECT_THAT(start.arguments, ElementsAre((temp_.path() / "page.htm").string()));

    platform::ClearStartedProcesses();
    EXPECT_EQ(Shell("open", "http://example.com/a b?x=1", nullptr, Windows("").c_str()), 42);
    start = OnlyStart();
    EXPECT_THAT(start.arguments, ElementsAre("http://example.com/a b?x=1"));
    EXPECT_EQ(temp_.ReadFile("out.txt"), temp_.path().string() + "\nhttp://example.com/a b?x=1\n");

    platform::SetDesktopOpener({});
    EXPECT_EQ(Shell("open", "mailto:someone@example.com", nullptr, nullptr), SE_ERR_NOASSOC);
    EXPECT_EQ(Shell("open", Windows("page.htm"), nullptr, nullptr), SE_ERR_NOASSOC);
}

TEST_F(ProcessStartTest, InterceptorTakesStartsWithoutLaunching) {
    const std::string program = AddProgram("Tool.exe", kReportingProgram, true);
    std::vector<ProcessStart> seen;
    platform::SetProcessStartInterceptor([&](const ProcessStart& start) {
        seen.push_back(start);
        return 0;
    });
    EXPECT_EQ(Shell("open", program, "update", nullptr), 42);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_THAT(seen[0].arguments, ElementsAre("update"));
    ProcessStart start = OnlyStart();
    EXPECT_FALSE(start.child);
    EXPECT_TRUE(temp_.ReadFile("out.txt").empty());

    platform::SetProcessStartInterceptor([](const ProcessStart&) { return EACCES; });
    EXPECT_EQ(Shell("open", program, nullptr, nullptr), SE_ERR_ACCESSDENIED);
    EXPECT_EQ(platform::StartedProcesses().size(), 1u);
}

TEST_F(ProcessStartTest, WinExecSplitsTheLineAndReportsAbove31) {
    const std::string program = AddProgram("my tool.exe", kReportingProgram, true);
    AddProgram("plain.txt", "text", false);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(temp_.path());

    EXPECT_EQ(WinExec(("\"" + program + "\" a \"b c\"").c_str(), SW_SHOW), 33u);
    ProcessStart start = OnlyStart();
    EXPECT_EQ(temp_.ReadFile("out.txt"), temp_.path().string() + "\na\nb c\n");

    EXPECT_EQ(WinExec("missing.exe", SW_SHOW), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(WinExec("nofolder\\missing.exe", SW_SHOW), static_cast<UINT>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(WinExec("plain.txt", SW_SHOW), static_cast<UINT>(ERROR_BAD_FORMAT));
    EXPECT_EQ(WinExec("   ", SW_SHOW), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    // Without a folder, a program name is also looked for on PATH.
    EXPECT_GT(WinExec("true", SW_SHOW), 31u);
    std::filesystem::current_path(previous);
}

TEST_F(ProcessStartTest, CreateProcessGivesWaitableHandlesAndTheExitCode) {
    const std::string program = AddProgram("tool.exe", kReportingProgram, true);
    temp_.WriteFile("work/keep", "");
    std::string commandLine = "\"" + program + "\" first \"second arg\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               Windows("work").c_str(), &startup, &info));
    EXPECT_GT(info.dwProcessId, 0u);
    EXPECT_EQ(info.dwThreadId, info.dwProcessId);
    HANDLE both[2] = {info.hProcess, info.hThread};
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(code, 3u);
    EXPECT_EQ(temp_.ReadFile("work/out.txt"),
              (temp_.path() / "work").string() + "\nfirst\nsecond arg\n");
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    EXPECT_FALSE(GetExitCodeProcess(info.hProcess, &code));
}

TEST_F(ProcessStartTest, CreateProcessFailuresSetTheLastError) {
    const std::string program = AddProgram("tool.exe", kReportingProgram, true);
    AddProgram("data.exe", "MZ", false);
    PROCESS_INFORMATION info{};
    auto create = [&](const std::string& application, LPCSTR folder, DWORD flags) {
        return CreateProcessA(application.c_str(), nullptr, nullptr, nullptr, FALSE, flags, nullptr,
                              folder, nullptr, &info);
    };
    EXPECT_FALSE(create(Windows("missing.exe"), nullptr, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(create(Windows("data.exe"), nullptr, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    EXPECT_FALSE(create(program, Windows("nofolder").c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_FALSE(create(program, nullptr, CREATE_SUSPENDED));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_FALSE(CreateProcessA(nullptr, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                nullptr, &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(platform::StartedProcesses().empty());
}

}  // namespace
