#include <gtest/gtest.h>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Gdi.h"

namespace {

using platform::testing::MemoryCanvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

void Paint(MemoryCanvas& canvas, RECT rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(canvas.dc(), &rect, brush);
    DeleteObject(brush);
}

TEST(PatBlt, PatInvertTwiceRestoresAndFixedOperationsIgnoreTheBrush) {
    MemoryCanvas canvas(6, 6);
    Paint(canvas, RECT{0, 0, 3, 6}, RGB(10, 200, 30));
    platform::Surface before = canvas.pixels();
    HBRUSH brush = CreateSolidBrush(RGB(90, 80, 70));
    SelectObject(canvas.dc(), brush);
    ASSERT_TRUE(PatBlt(canvas.dc(), 1, 1, 4, 4, PATINVERT));
    EXPECT_EQ(canvas.At(1, 1), RGB(10 ^ 90, 200 ^ 80, 30 ^ 70));
    EXPECT_EQ(canvas.At(0, 0), RGB(10, 200, 30));
    PatBlt(canvas.dc(), 1, 1, 4, 4, PATINVERT);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(canvas.pixels().At(x, y), before.At(x, y));
        }
    }
    PatBlt(canvas.dc(), 0, 0, 2, 1, BLACKNESS);
    PatBlt(canvas.dc(), 2, 0, 2, 1, WHITENESS);
    PatBlt(canvas.dc(), 4, 0, 2, 1, PATCOPY);
    PatBlt(canvas.dc(), 0, 1, 1, 1, DSTINVERT);
    EXPECT_EQ(canvas.Picture(RECT{0, 0, 6, 1}, kBlack), "##....\n");
    EXPECT_EQ(canvas.At(2, 0), kWhite);
    EXPECT_EQ(canvas.At(4, 0), RGB(90, 80, 70));
    EXPECT_EQ(canvas.At(0, 1), RGB(245, 55, 225));
    EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 1, 1, SRCCOPY));
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(BitBlt, CopiesAndClipsAtTheDestinationEdges) {
    MemoryCanvas source(6, 6, kRed);
    MemoryCanvas target(8, 8);
    ASSERT_TRUE(BitBlt(target.dc(), 5, -2, 6, 6, source.dc(), 0, 0, SRCCOPY));
    RECT box = target.InkBox(kWhite);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 8);
    EXPECT_EQ(box.bottom, 4);
    EXPECT_EQ(target.CountOf(kRed), 12);
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
}

TEST(BitBlt, SourceOffsetsAndPixelsOutsideTheSourceAreLeftAlone) {
    MemoryCanvas source(4, 4);
    SetPixel(source.dc(), 3, 3, kBlue);
    MemoryCanvas target(6, 6, kRed);
    BitBlt(target.dc(), 0, 0, 6, 6, source.dc(), 2, 2, SRCCOPY);
    EXPECT_EQ(target.At(1, 1), kBlue);
    EXPECT_EQ(target.At(0, 0), kWhite);
    EXPECT_EQ(target.At(2, 2), kRed);
}

TEST(BitBlt, PlainCopyKeepsToTheClipRegionAndDropsTheSourcesFourthByte) {
    MemoryCanvas source(4, 4, kBlue);
    source.pixels().Set(0, 0, 0xFF00FF00u);
    MemoryCanvas target(6, 6, kRed);
    // Two separate rectangles; the viewport moves the destination.
    HRGN clip = CreateRectRgn(0, 0, 2, 6);
    HRGN second = CreateRectRgn(4, 0, 6, 6);
    CombineRgn(clip, clip, second, RGN_OR);
    SelectClipRgn(target.dc(), clip);
    SetViewportOrgEx(target.dc(), 1, 0, nullptr);
    ASSERT_TRUE(BitBlt(target.dc(), -1, 0, 6, 6, source.dc(), -1, -1, SRCCOPY));
    // Source column -1 and row -1 are outside the source; columns 2 and 3 outside the clip.
    EXPECT_EQ(target.Picture(RECT{0, 0, 6, 6}, kRed),
              "######\n#.##.#\n#.##.#\n#.##.#\n#.##.#\n######\n");
    EXPECT_EQ(target.pixels().At(1, 1), 0x0000FF00u);
    EXPECT_EQ(target.pixels().At(1, 2), 0x000000FFu);
    EXPECT_EQ(target.pixels().At(2, 1), platform::PixelFromColor(kRed));
    EXPECT_EQ(target.pixels().At(4, 1), 0x000000FFu);
    EXPECT_EQ(target.pixels().At(5, 1), platform::PixelFromColor(kRed));
    DeleteObject(second);
    DeleteObject(clip);
}

TEST(BitBlt, MaskOperationsFollowTheirTruthTables) {
    MemoryCanvas source(1, 1, RGB(0xF0, 0x0F, 0x55));
    struct Case {
        DWORD rop;
        COLORREF expected;
    } cases[] = {
        {SRCAND, RGB(0xF0 & 0x3C, 0x0F & 0x3C, 0x55 & 0x3C)},
        {SRCPAINT, RGB(0xF0 | 0x3C, 0x0F | 0x3C, 0x55 | 0x3C)},
        {SRCINVERT, RGB(0xF0 ^ 0x3C, 0x0F ^ 0x3C, 0x55 ^ 0x3C)},
        {NOTSRCERASE, RGB(~(0xF0 | 0x3C) & 0xFF, ~(0x0F | 0x3C) & 0xFF, ~(0x55 | 0x3C) & 0xFF)},
        {SRCERASE, RGB(0xF0 & ~0x3C, 0x0F & ~0x3C, 0x55 & ~0x3C)},
        {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xAA)},
    };
    for (const Case& c : cases) {
        MemoryCanvas target(1, 1, RGB(0x3C, 0x3C, 0x3C));
        BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop);
        EXPECT_EQ(target.At(0, 0), c.expected) << std::hex << c.rop;
    }
}

TEST(BitBlt, MonochromeMasksMapThroughTextAndBackgroundColours) {
    HDC mask_dc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, "\x40\x00");  // black, white
    HGDIOBJ old = SelectObject(mask_dc, mask);
    MemoryCanvas target(2, 1);
    SetTextColor(target.dc(), kRed);
    SetBkColor(target.dc(), kBlue);
    BitBlt(target.dc(), 0, 0, 2, 1, mask_dc, 0, 0, SRCCOPY);
    EXPECT_EQ(target.At(0, 0), kRed);
    EXPECT_EQ(target.At(1, 0), kBlue);

    // Colour to monochrome: the source's background colour becomes white.
    MemoryCanvas colour(2, 1);
    SetPixel(colour.dc(), 0, 0, RGB(255, 0, 255));
    SetPixel(colour.dc(), 1, 0, RGB(1, 2, 3));
    SetBkColor(colour.dc(), RGB(255, 0, 255));
    BitBlt(mask_dc, 0, 0, 2, 1, colour.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mask_dc, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(mask_dc, 1, 0), kBlack);
    SelectObject(mask_dc, old);
    DeleteObject(mask);
    DeleteDC(mask_dc);
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapReadsTheOriginalPixels) {
    MemoryCanvas canvas(6, 1);
    for (int x = 0; x < 6; ++x) {
        SetPixel(canvas.dc(), x, 0, RGB(x, 0, 0));
    }
    BitBlt(canvas.dc(), 1, 0, 5, 1, canvas.dc(), 0, 0, SRCCOPY);
    for (int x = 1; x < 6; ++x) {
        EXPECT_EQ(canvas.At(x, 0), RGB(x - 1, 0, 0));
    }
}

TEST(StretchBlt, DoublesShrinksAndMirrors) {
    MemoryCanvas source(2, 1);
    SetPixel(source.dc(), 0, 0, kRed);
    SetPixel(source.dc(), 1, 0, kBlue);
    MemoryCanvas target(4, 2);
    EXPECT_EQ(SetStretchBltMode(target.dc(), COLORONCOLOR), BLACKONWHITE);
    StretchBlt(target.dc(), 0, 0, 4, 1, source.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(target.Picture(RECT{0, 0, 4, 1}, kRed), "##..\n");
    EXPECT_EQ(target.Picture(RECT{0, 0, 4, 1}, kBlue), "..##\n");
    StretchBlt(target.dc(), 2, 1, -2, 1, source.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(target.At(0, 1), kBlue);
    EXPECT_EQ(target.At(1, 1), kRed);
    MemoryCanvas small(1, 1);
    StretchBlt(small.dc(), 0, 0, 1, 1, target.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(small.At(0, 0), kRed);
}

TEST(TransparentBlt, LeavesTheTransparentColourOut) {
    MemoryCanvas source(3, 1, RGB(255, 0, 255));
    SetPixel(source.dc(), 1, 0, kBlue);
    MemoryCanvas target(3, 1, kRed);
    ASSERT_TRUE(TransparentBlt(target.dc(), 0, 0, 3, 1, source.dc(), 0, 0, 3, 1, RGB(255, 0, 255)));
    EXPECT_EQ(target.At(0, 0), kRed);
    EXPECT_EQ(target.At(1, 0), kBlue);
    EXPECT_EQ(target.At(2, 0), kRed);
    EXPECT_FALSE(TransparentBlt(target.dc(), 0, 0, -3, 1, source.dc(), 0, 0, 3, 1, 0));
}

}  // namespace
