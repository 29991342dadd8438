#include "platform/display/GtkClipboard.h"

#include <cstring>
#include <fstream>

#include "platform/base/GlobalMemory.h"
#include "platform/controls/Clipboard.h"
#include "platform/display/desktop/DesktopTest.h"
#include "platform/drawing/Gdi.h"

namespace platform::testing {
namespace {

class GtkClipboardTest : public DesktopTest {};

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
