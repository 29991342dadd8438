#include "platform/drawing/BitmapFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/Gdi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

using platform::Pixel;
using platform::Surface;

Surface Sample(int width, int height) {
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            surface.Set(x, y, static_cast<Pixel>((x * 40) << 16 | (y * 30) << 8 | (x + y) * 9));
        }
    }
    return surface;
}

void ExpectSamePixels(const Surface& a, const Surface& b) {
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            ASSERT_EQ(a.At(x, y), b.At(x, y)) << x << "," << y;
        }
    }
}

TEST(BitmapFile, WritesTheExactHeaderBytes) {
    std::vector<std::uint8_t> file = platform::EncodeBitmapFile(Sample(3, 2), 24);
    // 14 + 40 header bytes, rows of 9 bytes padded to 12.
    ASSERT_EQ(file.size(), 14u + 40u + 24u);
    const std::uint8_t expected_start[] = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40,  0,   0,  0, 3, 0, 0, 0, 2, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,
    };
    EXPECT_EQ(std::memcmp(file.data(), expected_start, sizeof expected_start), 0);
    // Bottom row first: pixel (0, 1) is blue 9, green 30, red 0.
    EXPECT_EQ(file[54], 9);
    EXPECT_EQ(file[55], 30);
    EXPECT_EQ(file[56], 0);
    EXPECT_EQ(file[54 + 9], 0);  // padding
}

TEST(BitmapFile, RoundTripsTwentyFourAndThirtyTwoBits) {
    Surface sample = Sample(5, 4);
    for (int bits : {24, 32}) {
        std::optional<platform::DecodedBitmap> decoded =
            platform::DecodeBitmapFile(platform::EncodeBitmapFile(sample, bits));
        ASSERT_TRUE(decoded) << bits;
        EXPECT_EQ(decoded->bitsPerPixel, bits);
        ExpectSamePixels(decoded->pixels, sample);
    }
}

TEST(BitmapFile, PalettedAndSixteenBitDepthsKeepTheirColours) {
    Surface picture(9, 3);
    picture.Fill(0xFFFFFF);
    picture.Set(0, 0, 0xFF0000);
    picture.Set(8, 2, 0x000080);
    for (int bits : {4, 8}) {
        auto decoded = platform::DecodeBitmapFile(platform::EncodeBitmapFile(picture, bits));
        ASSERT_TRUE(decoded);
        ExpectSamePixels(decoded->pixels, picture);
    }
    Surface mono(9, 2);
    mono.Set(3, 1, 0xFFFFFF);
    auto decoded = platform::DecodeBitmapFile(platform::EncodeBitmapFile(mono, 1));
    ASSERT_TRUE(decoded);
    ExpectSamePixels(decoded->pixels, mono);
    Surface exact(2, 1);
    exact.Set(0, 0, 0xF8F8F8);
    exact.Set(1, 0, 0x081018);
    auto sixteen = platform::DecodeBitmapFile(platform::EncodeBitmapFile(exact, 16));
    ASSERT_TRUE(sixteen);
    EXPECT_EQ(sixteen->pixels.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(sixteen->pixels.At(1, 0), 0x081019u);
    EXPECT_TRUE(platform::EncodeBitmapFile(exact, 12).empty());
}

TEST(BitmapFile, ReadsTopDownRows) {
    std::vector<std::uint8_t> file = platform::EncodeBitmapFile(Sample(2, 2), 32);
    // Flip the stored order and mark the header top-down.
    std::int32_t height = -2;
    std::memcpy(&file[22], &height, 4);
    std::swap_ranges(file.begin() + 54, file.begin() + 62, file.begin() + 62);
    auto decoded = platform::DecodeBitmapFile(file);
    ASSERT_TRUE(decoded);
    ExpectSamePixels(decoded->pixels, Sample(2, 2));
}

TEST(BitmapFile, RefusesDamagedFiles) {
    std::vector<std::uint8_t> good = platform::EncodeBitmapFile(Sample(4, 4), 8);
    ASSERT_TRUE(platform::DecodeBitmapFile(good));
    auto damaged = [&](size_t offset, std::uint32_t value, size_t size) {
        std::vector<std::uint8_t> copy = good;
        std::memcpy(&copy[offset], &value, size);
        return platform::DecodeBitmapFile(copy).has_value();
    };
    EXPECT_FALSE(damaged(0, 'X', 1));          // signature
    EXPECT_FALSE(damaged(14, 0xFFFFFF, 4));    // header size beyond the file
    EXPECT_FALSE(damaged(18, 0, 4));           // zero width
    EXPECT_FALSE(damaged(18, 0x7FFFFFFF, 4));  // huge width
    EXPECT_FALSE(damaged(22, 0x80000000, 4));  // most negative height
    EXPECT_FALSE(damaged(22, 100000, 4));      // more rows than bytes
    EXPECT_FALSE(damaged(28, 7, 2));           // unknown depth
    EXPECT_FALSE(damaged(30, BI_RLE8, 4));     // compression
    EXPECT_TRUE(damaged(10, 0xFFFFFFF0u, 4));  // impossible offset: rows follow the table
    std::vector<std::uint8_t> truncated(good.begin(), good.end() - 1);
    EXPECT_FALSE(platform::DecodeBitmapFile(truncated));
    EXPECT_FALSE(platform::DecodeBitmapFile({}));
}

TEST(BitmapFile, WrittenThroughAWindowsPathAndLoadedWithLoadImage) {
    platform::testing::TempFolder folder;
    std::string path = platform::ToWindowsPath(folder.path() / u8"图片.bmp");
    Surface sample = Sample(7, 5);
    ASSERT_TRUE(platform::WriteBitmapFile(sample, path.c_str(), 24));
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    ASSERT_NE(loaded, nullptr);
    BITMAP info;
    GetObject(loaded, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
    ExpectSamePixels(*platform::SurfaceOfBitmap(loaded), sample);
    DeleteObject(loaded);

    HBITMAP scaled = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 14, 10, LR_LOADFROMFILE));
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(platform::SurfaceOfBitmap(scaled)->width(), 14);
    EXPECT_EQ(platform::SurfaceOfBitmap(scaled)->At(13, 9), sample.At(6, 4));
    DeleteObject(scaled);

    std::string missing = platform::ToWindowsPath(folder.path() / "none.bmp");
    EXPECT_EQ(LoadImageA(nullptr, missing.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    folder.WriteFile("bad.bmp", "BM not a bitmap at all, only words and more words to be long");
    std::string bad = platform::ToWindowsPath(folder.path() / "bad.bmp");
    EXPECT_EQ(LoadImageA(nullptr, bad.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST(BitmapFile, IdentifyAcceptsTheWrittenFile) {
    if (std::system("command -v identify >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    }
    platform::testing::TempFolder folder;
    std::string path = platform::ToWindowsPath(folder.path() / "picture.bmp");
    ASSERT_TRUE(platform::WriteBitmapFile(Sample(33, 17), path.c_str(), 24));
    std::string command = "identify -format '%w %h' '" + (folder.path() / "picture.bmp").string() +
                          "' > '" + (folder.path() / "out.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(folder.ReadFile("out.txt"), "33 17");
}

}  // namespace
