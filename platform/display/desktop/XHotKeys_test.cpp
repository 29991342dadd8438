#include "platform/display/XHotKeys.h"

#include "platform/display/desktop/DesktopTest.h"

namespace platform::testing {
namespace {

class XHotKeysTest : public DesktopTest {};

int last_error = 0;

int NoteError(Display*, XErrorEvent* error) {
    last_error = error->error_code;
    return 0;
}

// Whether another X client (a connection of the test's own) can grab the key with Ctrl and Alt
// on the root window; the grab stays while `client` is open.
bool OtherClientGrabs(Display* client, const char* keysym) {
    last_error = 0;
    XErrorHandler before = XSetErrorHandler(NoteError);
    XGrabKey(client, XKeysymToKeycode(client, XStringToKeysym(keysym)), ControlMask | Mod1Mask,
             DefaultRootWindow(client), False, GrabModeAsync, GrabModeAsync);
    XSync(client, False);
    XSetErrorHandler(before);
    return last_error == 0;
}

TEST_F(XHotKeysTest, HotKeysComeFromAnyWindowAndFailWhileAnotherProgramHoldsTheKey) {
    HWND owner =
        CreateTestWindow("Hot key owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{50, 50, 350, 250});
    ASSERT_TRUE(PumpUntil(
        [&] { return !Shell("xdotool search --onlyvisible --name '^Hot key owner$'").empty(); }));
    ASSERT_TRUE(RegisterHotKey(owner, 41, MOD_CONTROL | MOD_ALT, 'K'));
    // With the focus in another program's window, and Num Lock on.
    OtherClientWindow other;
    Xdotool("windowfocus --sync " + other.id());
    Xdotool("key Num_Lock key ctrl+alt+k key Num_Lock");
    ASSERT_TRUE(PumpUntil([] { return !ParametersOf(WM_HOTKEY).empty(); }));
    EXPECT_EQ(ParametersOf(WM_HOTKEY, true), std::vector<LPARAM>{41});
    EXPECT_EQ(ParametersOf(WM_HOTKEY), std::vector<LPARAM>{MAKELPARAM(MOD_CONTROL | MOD_ALT, 'K')});

    Display* client = XOpenDisplay(nullptr);
    ASSERT_NE(client, nullptr);
    EXPECT_FALSE(OtherClientGrabs(client, "k")) << "the key is this process's";
    ASSERT_TRUE(OtherClientGrabs(client, "j"));
    EXPECT_FALSE(RegisterHotKey(owner, 42, MOD_CONTROL | MOD_ALT, 'J'));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));

    // Unregistered, the key is free for others; a window's keys go with it.
    EXPECT_TRUE(UnregisterHotKey(owner, 41));
    EXPECT_TRUE(OtherClientGrabs(client, "k"));
    XCloseDisplay(client);
    ASSERT_TRUE(RegisterHotKey(owner, 43, MOD_CONTROL | MOD_ALT, 'L'));
    DestroyWindow(owner);
    client = XOpenDisplay(nullptr);
    EXPECT_TRUE(OtherClientGrabs(client, "l"));
    XCloseDisplay(client);
}

}  // namespace
}  // namespace platform::testing
