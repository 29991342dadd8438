#include "platform/windows/ProcessWindows.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/link/Link.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/EntryNames.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kPeerTimeout = 10s;
constexpr UINT kRename = 0x464;
constexpr UINT kAdd = 0x465;
constexpr UINT kAskBack = 0x466;

// The window_peer program with a pipe on its output. Reads wait for the peer, bounded by a time
// limit that fails the test, and keep this thread's messages moving meanwhile, since the peer may
// be waiting for one of its sends to be handled here.
class Peer : public ChildProcess {
public:
    explicit Peer(std::initializer_list<std::string> arguments) : ChildProcess(Words(arguments)) {}

    // The next line; empty when the peer ended.
    std::string ReadLine() {
        std::optional<std::string> line = ChildProcess::ReadLine(kPeerTimeout, Pump);
        if (!line && !OutputEnded()) {
            ADD_FAILURE() << "the peer gave no whole line in time";
        }
        return line.value_or("");
    }
    std::vector<std::string> ReadToEnd() {
        std::vector<std::string> lines = ChildProcess::ReadToEnd(kPeerTimeout, Pump);
        if (!OutputEnded()) {
            ADD_FAILURE() << "the peer did not end in time";
        }
        return lines;
    }

private:
    static void Pump() { PumpUntilIdle(); }
    static std::vector<std::string> Words(std::initializer_list<std::string> arguments) {
        std::vector<std::string> words{WINDOW_PEER_PATH};
        words.insert(words.end(), arguments);
        return words;
    }
};

class ProcessWindowsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        setenv("PLATFORM_LINK_DIR", folder_.c_str(), 1);
        ASSERT_TRUE(ConnectWindowsToLink());
    }
    void TearDown() override {
        WindowTest::TearDown();
        DisconnectWindowsFromLink();
        // Peers killed at the end of a test leave entries that the next reader removes.
        link::ListWindows();
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{});
        unsetenv("PLATFORM_LINK_DIR");
    }

    std::vector<std::string> FolderEntries() const { return EntryNames(folder_); }

    static std::string TextOf(HWND hwnd) {
        char text[64] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }

    TempFolder temp_;
    std::filesystem::path folder_ = temp_.path() / "link";
};

TEST_F(ProcessWindowsTest, PostedMessageReachesTheOtherProcessOnceAndSentCloseEndsIt) {
    Peer peer({"serve", "DeskvaneTP"});
    ASSERT_EQ(peer.ReadLine(), "ready");

    HWND tray = FindWindowA(nullptr, "deskvanetp");
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    DWORD process = 0;
    GetWindowThreadProcessId(tray, &process);
    EXPECT_EQ(process, static_cast<DWORD>(peer.pid()));

    EXPECT_TRUE(PostMessageA(tray, 1030, 7, 9));
    EXPECT_EQ(peer.ReadLine(), "got 1030 7 9");
    EXPECT_EQ(SendMessageA(tray, kAdd, 40, 2), 42);
    EXPECT_EQ(peer.ReadLine(), "got 1125 40 2");

    SendMessageA(tray, WM_CLOSE, 0, 0);
    EXPECT_EQ(peer.ReadToEnd(), (std::vector<std::string>{"got 16 0 0", "closed"}));
    EXPECT_EQ(peer.Wait(), 0);
    EXPECT_EQ(FindWindowA(nullptr, "DeskvaneTP"), nullptr);
    EXPECT_FALSE(IsWindow(tray));
    EXPECT_FALSE(PostMessageA(tray, 1030, 0, 0));
}

TEST_F(ProcessWindowsTest, MessagesFromAnotherProcessGoThroughThisProcesssQueue) {
    HWND tray = TopLevel(WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, "DeskvaneTP");
    std::vector<UINT> pretranslated;
    SetPreTranslateHandler(tray, [&](MSG& msg) {
        pretranslated.push_back(msg.message);
        return false;
    });
    Log().Answer(kAdd, [](HWND, WPARAM wParam, LPARAM lParam) {
        return static_cast<LRESULT>(wParam) * 100 + lParam;
    });

    Peer poster({"post", "DeskvaneTP", "1030", "3", "4"});
    EXPECT_EQ(poster.ReadToEnd(), std::vector<std::string>{"posted"});
    EXPECT_EQ(poster.Wait(), 0);
    PumpUntilIdle();
    ASSERT_EQ(Log().Of(1030).size(), 1u);
    EXPECT_EQ(Log().Of(1030)[0].hwnd, tray);
    EXPECT_EQ(Log().Of(1030)[0].wParam, 3u);
    EXPECT_EQ(Log().Of(1030)[0].lParam, 4);
    EXPECT_EQ(pretranslated, std::vector<UINT>{1030});

    // Sent messages bypass pre-translation and bring the window's answer back.
    Peer sender({"send", "deskvanetp", "1125", "5", "-6"});
    EXPECT_EQ(sender.ReadToEnd(), std::vector<std::string>{"result 494"});
    EXPECT_EQ(pretranslated, std::vector<UINT>{1030});

    // Messages whose parameters would be pointers of the other process never arrive.
    Peer setText({"post", "DeskvaneTP", "12", "0", "4096"});
    EXPECT_EQ(setText.ReadToEnd(), std::vector<std::string>{"posted"});
    Peer getText({"send", "DeskvaneTP", "13", "64", "4096"});
    EXPECT_EQ(getText.ReadToEnd(), std::vector<std::string>{"result 0"});
    PumpUntilIdle();
    EXPECT_TRUE(Log().Of(WM_SETTEXT).empty());
    EXPECT_TRUE(Log().Of(WM_GETTEXT).empty());
    EXPECT_EQ(TextOf(tray), "DeskvaneTP");

    Peer closer({"send", "DeskvaneTP", "16", "0", "0"});
    EXPECT_EQ(closer.ReadToEnd(), std::vector<std::string>{"result 0"});
    EXPECT_FALSE(IsWindow(tray));
    Peer finder({"find", "DeskvaneTP"});
    EXPECT_EQ(finder.ReadToEnd(), std::vector<std::string>{"missing"});
}

TEST_F(ProcessWindowsTest, GetParentOfAnotherProcesssPopUpIsItsOwner) {
    Peer peer({"serve", "Frame", "owned"});
    ASSERT_EQ(peer.ReadLine(), "ready");
    HWND frame = FindWindowA(nullptr, "Frame");
    HWND popup = FindWindowA(nullptr, "Frame pop-up");
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetParent(popup), frame);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), frame);
    EXPECT_EQ(GetParent(frame), nullptr);
    // The pop-up came last, so it lies above its owner.
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), popup);
    EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), frame);
}

TEST_F(ProcessWindowsTest, ASenderHandlesSendsThatComeBackWhileItWaits) {
    HWND asker = TopLevel(WS_OVERLAPPEDWINDOW, {0, 0, 100, 100}, "Asker");
    Log().Answer(kAdd, [](HWND, WPARAM wParam, LPARAM lParam) {
        return static_cast<LRESULT>(wParam) * 10 + lParam;
    });
    Peer peer({"serve", "Echo"});
    ASSERT_EQ(peer.ReadLine(), "ready");
    HWND echo = FindWindowA(nullptr, "Echo");
    ASSERT_NE(echo, nullptr);
    EXPECT_EQ(SendMessageA(echo, kAskBack, 4, 2), 43);
    ASSERT_EQ(Log().Of(kAdd).size(), 1u);
    EXPECT_EQ(Log().Of(kAdd)[0].hwnd, asker);
}

TEST_F(ProcessWindowsTest, SecondCopyOfASingleInstanceProgramRestoresTheFirstAndEnds) {
    HWND manager =
        TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400}, "Deskvane - 管理中心");
    HWND other = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {600, 100, 700, 200}, "other");
    ShowWindow(manager, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(manager));
    ASSERT_NE(GetForegroundWindow(), manager);

    Peer second({"single", "Deskvane - 管理中心"});
    EXPECT_EQ(second.ReadToEnd(), std::vector<std::string>{"found"});
    EXPECT_EQ(second.Wait(), 3);
    EXPECT_FALSE(IsIconic(manager));
    EXPECT_TRUE(IsWindowVisible(manager));
    EXPECT_EQ(GetForegroundWindow(), manager);
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), manager);
    EXPECT_TRUE(IsWindow(other));

    DestroyWindow(manager);
    Peer first({"single", "Deskvane - 管理中心"});
    EXPECT_EQ(first.ReadLine(), "ready");
}

TEST_F(ProcessWindowsTest, TitleChangesAreSeenAtOnceBothWays) {
    Peer peer({"serve", "Before"});
    ASSERT_EQ(peer.ReadLine(), "ready");
    HWND before = FindWindowA(nullptr, "Before");
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(SendMessageA(before, kRename, 0, 0), TRUE);
    EXPECT_EQ(TextOf(before), "改名后");
    EXPECT_EQ(FindWindowA(nullptr, "Before"), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "改名后"), before);

    HWND own = TopLevel(WS_OVERLAPPEDWINDOW, {0, 0, 100, 100}, "old");
    SetWindowTextA(own, "Deskvane - 管理中心");
    Peer finder({"find", "DESKVANE - 管理中心"});
    EXPECT_EQ(finder.ReadToEnd(), std::vector<std::string>{"found hidden"});
    ShowWindow(own, SW_SHOW);
    Peer finder2({"find", "Deskvane - 管理中心"});
    EXPECT_EQ(finder2.ReadToEnd(), std::vector<std::string>{"found visible"});
}

TEST_F(ProcessWindowsTest, WindowsOfAKilledProcessDisappear) {
    Peer peer({"serve", "Ghost"});
    ASSERT_EQ(peer.ReadLine(), "ready");
    HWND ghost = FindWindowA(nullptr, "Ghost");
    ASSERT_NE(ghost, nullptr);
    const std::string prefix = std::to_string(peer.pid());
    kill(peer.pid(), SIGKILL);
    EXPECT_EQ(peer.Wait(), -1);
    EXPECT_EQ(FolderEntries().size(), 2u);
    EXPECT_EQ(FindWindowA(nullptr, "Ghost"), nullptr);
    EXPECT_FALSE(IsWindow(ghost));
    // Its record and its socket went with the lookup.
    for (const std::string& name : FolderEntries()) {
        EXPECT_FALSE(name.starts_with(prefix)) << name;
    }
}

TEST_F(ProcessWindowsTest, OtherProcessesWindowsTakePartInZOrderEnumerationAndHitTesting) {
    Peer peer({"serve", "Peer window", "visible"});
    ASSERT_EQ(peer.ReadLine(), "ready");
    HWND remote = FindWindowA(nullptr, "peer window");
    ASSERT_NE(remote, nullptr);
    EXPECT_EQ(WindowFromPoint({350, 350}), remote);
    RECT rect{};
    GetWindowRect(remote, &rect);
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.bottom, 400);

    HWND cover = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {250, 250, 450, 450}, "cover");
    EXPECT_EQ(WindowFromPoint({350, 350}), cover);
    std::vector<HWND> walked;
    for (HWND top = GetWindow(GetDesktopWindow(), GW_CHILD); top != nullptr;
         top = GetWindow(top, GW_HWNDNEXT)) {
        walked.push_back(top);
    }
    EXPECT_EQ(walked, (std::vector<HWND>{cover, remote}));

    EXPECT_TRUE(SetForegroundWindow(remote));
    EXPECT_EQ(WindowFromPoint({350, 350}), remote);
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), remote);

    ShowWindow(remote, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(remote));
    ShowWindow(remote, SW_RESTORE);
    EXPECT_FALSE(IsIconic(remote));
    ShowWindow(remote, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(remote));
    EXPECT_EQ(WindowFromPoint({350, 350}), cover);
    SetWindowPos(remote, HWND_TOP, 10, 20, 50, 60, SWP_SHOWWINDOW);
    GetWindowRect(remote, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 60);
    EXPECT_EQ(rect.bottom, 80);
    EXPECT_EQ(WindowFromPoint({30, 30}), remote);

    // The other process sees this one's windows too, in the same order.
    BringWindowToTop(cover);
    std::vector<HWND> enumerated;
    EnumWindows(
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&enumerated));
    EXPECT_EQ(enumerated, (std::vector<HWND>{cover, remote}));
    PostMessageA(remote, WM_CLOSE, 0, 0);
    EXPECT_EQ(peer.ReadToEnd(), (std::vector<std::string>{"got 16 0 0", "closed"}));
}

TEST_F(ProcessWindowsTest, InputHereReachesTheHooksOfAnotherProcessWhoseAnswerMayEatIt) {
    Peer hooker({"hook", "Hooker"});
    ASSERT_EQ(hooker.ReadLine(), "ready");
    EXPECT_EQ(link::HookHolders(WH_KEYBOARD),
              std::vector<std::uint32_t>{static_cast<std::uint32_t>(hooker.pid())});
    EXPECT_EQ(link::HookHolders(WH_CBT), std::vector<std::uint32_t>{});

    HWND typed = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 200, 100}, "Typed");
    SetForegroundWindow(typed);
    SetFocus(typed);
    PumpUntilIdle();
    Log().Clear();

    InjectKey(VK_F8, true);
    InjectKey(VK_F8, false);
    InjectKey(VK_F9, true);
    PumpUntilIdle();
    EXPECT_EQ(hooker.ReadLine(), "keyll 256 119 0");
    EXPECT_EQ(hooker.ReadLine(), "keyll 257 119 128");
    EXPECT_EQ(hooker.ReadLine(), "keyll 256 120 0");
    EXPECT_EQ(hooker.ReadLine(), "key 119 down");
    EXPECT_EQ(hooker.ReadLine(), "key 119 up");
    EXPECT_EQ(hooker.ReadLine(), "key 120 down");
    // The other process's hook ate F9: it never reaches the window here.
    ASSERT_EQ(Log().Of(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(Log().Of(WM_KEYDOWN)[0].wParam, static_cast<WPARAM>(VK_F8));
    EXPECT_EQ(Log().Of(WM_KEYUP).size(), 1u);

    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{60, 70});
    PumpUntilIdle();
    EXPECT_EQ(hooker.ReadLine(), "mousell 512 60 70");
    EXPECT_EQ(hooker.ReadLine(), "mousell 513 60 70");
    EXPECT_EQ(hooker.ReadLine(), "mouse 512 60 70");
    EXPECT_EQ(hooker.ReadLine(), "mouse 513 60 70");
    EXPECT_EQ(Log().Of(WM_LBUTTONDOWN).size(), 1u);
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{60, 70});

    // Once it unhooks, input here no longer waits for it.
    InjectKey(VK_F10, true);
    PumpUntilIdle();
    std::string line;
    do {
        line = hooker.ReadLine();
    } while (!line.empty() && line != "unhooked");
    EXPECT_EQ(line, "unhooked");
    EXPECT_EQ(link::HookHolders(WH_KEYBOARD), std::vector<std::uint32_t>{});
}

}  // namespace
}  // namespace platform::testing
