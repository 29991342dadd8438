// What the tests of the update threads (the browser's and the picture collector's) share: a
// program folder whose data\update.dat names the test's server, the current folder elsewhere, so
// that a relative path the thread used would land there, and the thread run as the frame runs it:
// on a thread of its own, registered in the data store.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>

#include "browser/BrowserDataStore.h"
#include "browser/SocketClient.h"
#include "platform/files/Path.h"
#include "platform/framework/WinThread.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"

namespace browser_testing {

class UpdateServerTest : public ::testing::Test {
protected:
    // `program` is the program file's name, `pageTarget` the update page the thread asks for.
    UpdateServerTest(std::string program, std::string pageTarget, LPTHREAD_START_ROUTINE worker)
        : program_(std::move(program)), pageTarget_(std::move(pageTarget)), worker_(worker) {}

    void SetUp() override {
        InitWinsock();
        folder_ = root_.path() / "prog";
        std::filesystem::create_directories(folder_ / "data");
        platform::OverrideModuleFileName(platform::ToWindowsPath(folder_ / program_));
        std::filesystem::current_path(elsewhere_.path());
        Write("data/update.dat",
              "// test server\r\n[UPDATE_SERVER]\r\n" + server_.Url("") + "\r\n");
    }
    void TearDown() override {
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        platform::ClearModuleFileNameOverride();
    }

    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories((folder_ / relative).parent_path());
        root_.WriteFile("prog/" + relative, bytes);
    }
    std::string Read(const std::string& relative) const {
        return root_.ReadFile("prog/" + relative);
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(folder_ / relative);
    }

    // Runs the thread to its end; its exit code.
    DWORD RunUpdate() {
        CWinThread registered;
        DataStore().updateThread = &registered;
        HANDLE thread = CreateThread(nullptr, 0, worker_, nullptr, 0, nullptr);
        EXPECT_NE(thread, nullptr);
        EXPECT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeThread(thread, &code);
        CloseHandle(thread);
        EXPECT_EQ(DataStore().updateThread, nullptr);
        return code;
    }
    // Starts the thread against a server that never answers its page and asks it to stop once
    // the request is there, as the frame does when it closes; the thread must end within `limit`.
    void StopWhileTheServerStalls(std::chrono::milliseconds limit) {
        server_.Route(pageTarget_, [this](int, const platform::testing::TestHttpServer::Request&) {
            server_.Stall(std::chrono::seconds(60));
        });
        CWinThread registered;
        DataStore().updateThread = &registered;
        HANDLE thread = CreateThread(nullptr, 0, worker_, nullptr, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        for (int i = 0; i < 1000 && server_.Requests().empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        platform::RequestStop(thread);
        EXPECT_EQ(WaitForSingleObject(thread, static_cast<DWORD>(limit.count())), WAIT_OBJECT_0);
        CloseHandle(thread);
        EXPECT_EQ(DataStore().updateThread, nullptr);
    }

    platform::testing::TempFolder root_;
    platform::testing::TempFolder elsewhere_;
    // The program folder.
    std::filesystem::path folder_;
    platform::testing::TestHttpServer server_;

private:
    std::string program_;
    std::string pageTarget_;
    LPTHREAD_START_ROUTINE worker_;
};

}  // namespace browser_testing
