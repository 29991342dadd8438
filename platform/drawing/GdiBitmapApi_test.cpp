#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Gdi.h"

namespace {

using platform::testing::MemoryCanvas;

struct InfoWithTable {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

TEST(GetDIBits, ReportsTheFormatThenFillsPaddedBottomUpRows) {
    MemoryCanvas canvas(3, 2);
    SetPixel(canvas.dc(), 0, 1, RGB(1, 2, 3));
    SetPixel(canvas.dc(), 2, 0, RGB(4, 5, 6));
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    HDC screen = CreateCompatibleDC(nullptr);
    InfoWithTable info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_EQ(GetDIBits(screen, canvas.bitmap(), 0, 2, nullptr,
                        reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
              2);
    EXPECT_EQ(info.header.biWidth, 3);
    EXPECT_EQ(info.header.biHeight, 2);
    EXPECT_EQ(info.header.biBitCount, 32);
    EXPECT_EQ(info.header.biSizeImage, 24u);

    info.header.biBitCount = 24;
    info.header.biCompression = BI_RGB;
    std::vector<std::uint8_t> bits(24, 0xAA);
    ASSERT_EQ(GetDIBits(screen, canvas.bitmap(), 0, 2, bits.data(),
                        reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
              2);
    EXPECT_EQ(info.header.biSizeImage, 24u);
    const std::uint8_t bottom_row[12] = {3, 2, 1, 255, 255, 255, 255, 255, 255, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bits.data(), bottom_row, 12), 0);
    EXPECT_EQ(bits[12 + 6], 6);
    EXPECT_EQ(bits[12 + 8], 4);

    info.header.biBitCount = 8;
    std::vector<std::uint8_t> indices(8);
    GetDIBits(screen, canvas.bitmap(), 0, 2, indices.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    RGBQUAD white = info.colors[indices[4 + 0]];
    EXPECT_EQ(white.rgbRed, 255);
    EXPECT_EQ(white.rgbGreen, 255);
    EXPECT_EQ(white.rgbBlue, 255);
    EXPECT_EQ(GetDIBits(screen, canvas.bitmap(), 5, 2, indices.data(),
                        reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
              0);
    DeleteDC(screen);
}

TEST(SetDIBits, PalettedRowsBecomePixels) {
    MemoryCanvas canvas(4, 2);
    InfoWithTable info{};
    info.header = BITMAPINFOHEADER{40, 4, -2, 1, 4, BI_RGB, 0, 0, 0, 2, 0};
    info.colors[0] = RGBQUAD{0, 0, 255, 0};
    info.colors[1] = RGBQUAD{255, 0, 0, 0};
    const std::uint8_t rows[8] = {0x01, 0x10, 0, 0, 0x11, 0x00, 0, 0};
    ASSERT_EQ(SetDIBits(canvas.dc(), canvas.bitmap(), 0, 2, rows,
                        reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
              2);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(3, 1), RGB(255, 0, 0));
    info.header.biBitCount = 3;
    EXPECT_EQ(SetDIBits(canvas.dc(), canvas.bitmap(), 0, 2, rows,
                        reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
              0);
}

TEST(CreateDIBSection, TheBitsAreThePixelsTheDcDrawsInto) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{40, 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(bits, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    SetPixel(dc, 1, 0, RGB(10, 20, 30));
    // Bottom-up: the top row is stored second.
    EXPECT_EQ(static_cast<std::uint32_t*>(bits)[3], 0x000A141Eu);
    static_cast<std::uint32_t*>(bits)[0] = 0x00FF0000u;
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0));
    BITMAP object;
    GetObject(section, sizeof object, &object);
    EXPECT_EQ(object.bmBits, bits);
    EXPECT_EQ(object.bmWidthBytes, 8);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);

    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

TEST(CreateBitmap, RefusesImpossibleSizesAndDepths) {
    EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 2, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 7, nullptr), nullptr);
    MemoryCanvas canvas(1, 1);
    HBITMAP empty = CreateCompatibleBitmap(canvas.dc(), 0, 0);
    BITMAP info;
    GetObject(empty, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(empty);
}

}  // namespace
