#include "platform/display/GtkClipboard.h"

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/base/GlobalMemory.h"
#include "platform/controls/Clipboard.h"
#include "platform/controls/ControlClasses.h"
#include "platform/display/desktop/DesktopTest.h"
#include "platform/drawing/Gdi.h"

namespace platform::testing {
namespace {

class GtkClipboardTest : public DesktopTest {};

// Another X client that takes the clipboard with UTF-8 text and answers for it only once told to.
class SlowHolder {
public:
    explicit SlowHolder(std::string utf8) : text_(std::move(utf8)) {
        display_ = XOpenDisplay(nullptr);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(display_, Intern("CLIPBOARD"), window_, CurrentTime);
        XSync(display_, False);
        thread_ = std::thread([this] {
            while (!stop_) {
                while (answering_ && XPending(display_) > 0) {
                    XEvent event;
                    XNextEvent(display_, &event);
                    if (event.type == SelectionRequest) {
                        Answer(event.xselectionrequest);
                    }
                }
                std::this_thread::sleep_for(10ms);
            }
        });
    }
    ~SlowHolder() {
        stop_ = true;
        thread_.join();
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    void StartAnswering() { answering_ = true; }

private:
    Atom Intern(const char* name) { return XInternAtom(display_, name, False); }
    void Answer(const XSelectionRequestEvent& request) {
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.property = request.property;
        reply.xselection.time = request.time;
        if (request.target == Intern("TARGETS")) {
            Atom targets[] = {Intern("TARGETS"), Intern("UTF8_STRING")};
            XChangeProperty(display_, request.requestor, request.property, XA_ATOM, 32,
                            PropModeReplace, reinterpret_cast<unsigned char*>(targets), 2);
        } else if (request.target == Intern("UTF8_STRING")) {
            XChangeProperty(display_, request.requestor, request.property, Intern("UTF8_STRING"), 8,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(text_.data()),
                            static_cast<int>(text_.size()));
        } else {
            reply.xselection.property = None;
        }
        XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
        XFlush(display_);
    }

    std::string text_;
    Display* display_ = nullptr;
    Window window_ = 0;
    std::atomic<bool> answering_ = false;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

TEST_F(GtkClipboardTest, ChineseTextOfOtherProgramsPastesAsGbkAndASilentHolderFailsTheOpen) {
    RegisterControlClasses();
    HWND frame =
        CreateTestWindow("Paste here", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{40, 60, 340, 200});
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, frame,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    // xclip's UTF-8 is known as text before anything opens the clipboard, and pastes as GBK.
    ASSERT_EQ(std::system("printf '\344\270\255\346\226\207 ok' | "
                          "xclip -selection clipboard -i"),
              0);
    EXPECT_TRUE(PumpUntil([] { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    SendMessageA(edit, WM_PASTE, 0, 0);
    char pasted[32] = {};
    GetWindowTextA(edit, pasted, sizeof(pasted));
    EXPECT_EQ(std::string(pasted), "\xD6\xD0\xCE\xC4 ok");

    // A holder that keeps the clipboard without answering: opening fails rather than handing
    // out this process's older text, until the holder speaks.
    ASSERT_TRUE(PutClipboardText(nullptr, "ours"));
    // The desktop hears of this process's text before the holder takes the clipboard from it.
    ASSERT_TRUE(PumpUntil([] { return Shell("xclip -selection clipboard -o") == "ours"; }));
    SlowHolder holder("\xE5\x88\xAB\xE5\xA4\x84");
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    holder.StartAnswering();
    ASSERT_TRUE(PumpUntil([] { return OpenClipboard(nullptr) != FALSE; }));
    HANDLE text = GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(text))), "\xB1\xF0\xB4\xA6");
    GlobalUnlock(text);
    CloseClipboard();
}

// The colour of a pixel of a picture file, as ImageMagick names it.
std::string PixelOfFile(const std::filesystem::path& file, int x, int y) {
    return Shell("convert '" + file.string() + "' -format '%[pixel:p{" + std::to_string(x) + "," +
                 std::to_string(y) + "}]' info:- 2>/dev/null");
}

TEST_F(GtkClipboardTest, PicturesCrossToOtherProgramsAsPngAndComeBackAsBitmaps) {
    // A 3x2 bitmap copied here is an image/png for xclip, another X client.
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int x = 0; x < 3; ++x) {
        SetPixel(dc, x, 0, RGB(250, 10, 20));
        SetPixel(dc, x, 1, RGB(30, 40, 200));
    }
    SetPixel(dc, 2, 1, RGB(0, 255, 0));
    SelectObject(dc, old);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
    const std::filesystem::path folder = PROJECT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    const std::filesystem::path copied = folder / "clipboard-copied.png";
    std::string targets;
    ASSERT_TRUE(PumpUntil([&] {
        targets = Shell("xclip -selection clipboard -t TARGETS -o 2>/dev/null");
        return targets.find("image/png") != std::string::npos;
    })) << targets;
    EXPECT_EQ(targets.find("UTF8_STRING"), std::string::npos) << "no text was copied";
    ASSERT_EQ(
        std::system(
            ("xclip -selection clipboard -t image/png -o > '" + copied.string() + "'").c_str()),
        0);
    EXPECT_EQ(Shell("identify -format '%m %wx%h' '" + copied.string() + "'"), "PNG 3x2");
    EXPECT_EQ(PixelOfFile(copied, 0, 0), "srgb(250,10,20)");
    EXPECT_EQ(PixelOfFile(copied, 1, 1), "srgb(30,40,200)");
    EXPECT_EQ(PixelOfFile(copied, 2, 1), "srgb(0,255,0)");

    // A PNG another program holds, half transparent in one pixel, is a bitmap and a DIB here.
    const std::filesystem::path offered = folder / "clipboard-offered.png";
    {
        std::string rgba;
        for (int i = 0; i < 12; ++i) {
            rgba += i == 11 ? std::string("\0\0\0\x80", 4) : std::string("\xC8\x64\x32\xFF", 4);
        }
        std::ofstream(folder / "clipboard-offered.rgba", std::ios::binary) << rgba;
    }
    ASSERT_EQ(
        std::system(("convert -size 4x3 -depth 8 rgba:'" +
                     (folder / "clipboard-offered.rgba").string() + "' PNG32:'" + offered.string() +
                     "' && xclip -selection clipboard -t image/png -i '" + offered.string() + "'")
                        .c_str()),
        0);
    // Once xclip holds it, the clipboard offers only the one picture format.
    ASSERT_TRUE(PumpUntil([&] {
        targets = Shell("xclip -selection clipboard -t TARGETS -o 2>/dev/null");
        return targets.find("image/png") != std::string::npos &&
               targets.find("image/bmp") == std::string::npos;
    })) << targets;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    BITMAPINFOHEADER header{};
    std::memcpy(&header, GlobalLock(dib), sizeof(header));
    GlobalUnlock(dib);
    EXPECT_EQ(header.biWidth, 4);
    EXPECT_EQ(header.biHeight, 3);
    HBITMAP pasted = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(pasted, nullptr);
    old = SelectObject(dc, pasted);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(200, 100, 50));
    // Half black over white paper.
    const COLORREF blended = GetPixel(dc, 3, 2);
    EXPECT_NEAR(GetRValue(blended), 127, 1);
    EXPECT_NEAR(GetBValue(blended), 127, 1);
    SelectObject(dc, old);
    CloseClipboard();
    DeleteDC(dc);
    // Copying here takes the clipboard back, which sends xclip away.
    EXPECT_TRUE(PutClipboardText(nullptr, "back"));
    EXPECT_TRUE(
        PumpUntil([] { return Shell("xclip -selection clipboard -o 2>/dev/null") == "back"; }));
}

}  // namespace
}  // namespace platform::testing
