// Test support: a window class whose procedure records every message it gets, lets a test answer
// chosen messages, and otherwise defers to DefWindowProcA; and a fixture that gives each test a
// fresh window system on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::testing {

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageLog {
public:
    static MessageLog& Get() {
        static MessageLog log;
        return log;
    }

    void Add(const LoggedMessage& entry) {
        std::lock_guard lock(mutex_);
        entries_.push_back(entry);
    }
    std::vector<LoggedMessage> Entries() {
        std::lock_guard lock(mutex_);
        return entries_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }
    void Reset() {
        std::lock_guard lock(mutex_);
        entries_.clear();
        answers_.clear();
    }
    // Only the messages of the given numbers, in order, as (window, message) pairs.
    std::vector<std::pair<HWND, UINT>> Only(std::initializer_list<UINT> messages) {
        std::vector<std::pair<HWND, UINT>> picked;
        for (const LoggedMessage& entry : Entries()) {
            if (std::find(messages.begin(), messages.end(), entry.message) != messages.end()) {
                picked.emplace_back(entry.hwnd, entry.message);
            }
        }
        return picked;
    }
    std::vector<LoggedMessage> Of(UINT message) {
        std::vector<LoggedMessage> picked;
        for (const LoggedMessage& entry : Entries()) {
            if (entry.message == message) {
                picked.push_back(entry);
            }
        }
        return picked;
    }
    // The procedure returns `answer` for `message` instead of calling DefWindowProcA.
    void Answer(UINT message, std::function<LRESULT(HWND, WPARAM, LPARAM)> answer) {
        std::lock_guard lock(mutex_);
        answers_[message] = std::move(answer);
    }
    std::function<LRESULT(HWND, WPARAM, LPARAM)> AnswerFor(UINT message) {
        std::lock_guard lock(mutex_);
        auto found = answers_.find(message);
        return found == answers_.end() ? nullptr : found->second;
    }

private:
    std::mutex mutex_;
    std::vector<LoggedMessage> entries_;
    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> answers_;
};

inline LRESULT CALLBACK RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageLog::Get().Add(LoggedMessage{hwnd, message, wParam, lParam});
    if (auto answer = MessageLog::Get().AnswerFor(message)) {
        return answer(hwnd, wParam, lParam);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline constexpr const char* kRecordingClass = "RecordingWindow";
inline constexpr const char* kDoubleClickClass = "RecordingDoubleClicks";

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseTestClock(SYSTEMTIME{2024, 3, 0, 15, 9, 0, 0, 0});
        ResetWindowSystemForTesting();
        MessageLog::Get().Reset();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProcedure;
        windowClass.lpszClassName = kRecordingClass;
        windowClass.cbWndExtra = 16;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpszClassName = kDoubleClickClass;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
    }
    void TearDown() override {
        ResetWindowSystemForTesting();
        MessageLog::Get().Reset();
        UseRealClock();
    }

    static HWND TopLevel(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                         RECT rect = {100, 100, 500, 400}, const char* title = "top",
                         DWORD exStyle = 0, HWND owner = nullptr,
                         const char* className = kRecordingClass) {
        return CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, owner, nullptr,
                               nullptr, nullptr);
    }
    static HWND Child(HWND parent, int id, RECT rect, DWORD style = WS_CHILD | WS_VISIBLE,
                      const char* className = kRecordingClass) {
        return CreateWindowExA(0, className, "", style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    static MessageLog& Log() { return MessageLog::Get(); }
};

}  // namespace platform::testing
