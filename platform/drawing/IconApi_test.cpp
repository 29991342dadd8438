#include "platform/drawing/IconApi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/drawing/DrawingTest.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

using platform::testing::MemoryCanvas;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string& out, unsigned value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A 24-bit DIB icon image of size x size: red, with a blue bottom row, and its top-left pixel
// transparent (set in the AND mask, black in the colour rows).
std::string IconImage(int size) {
    std::string image;
    Put32(image, 40);
    Put32(image, size);
    Put32(image, size * 2);
    Put16(image, 1);
    Put16(image, 24);
    for (int i = 0; i < 6; ++i) {
        Put32(image, 0);
    }
    int color_stride = (size * 3 + 3) / 4 * 4;
    for (int stored = 0; stored < size; ++stored) {
        std::string row;
        for (int x = 0; x < size; ++x) {
            if (stored == size - 1 && x == 0) {
                row += std::string(3, '\0');
            } else {
                row +=
                    stored == 0 ? std::string("\xFF\x00\x00", 3) : std::string("\x00\x00\xFF", 3);
            }
        }
        row.resize(color_stride, '\0');
        image += row;
    }
    for (int stored = 0; stored < size; ++stored) {
        std::string row(4, '\0');
        if (stored == size - 1) {
            row[0] = static_cast<char>(0x80);
        }
        image += row;
    }
    return image;
}

std::string IconFile(const std::vector<std::string>& images, int type = 1) {
    std::string file;
    Put16(file, 0);
    Put16(file, type);
    Put16(file, static_cast<unsigned>(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (const std::string& image : images) {
        unsigned size = static_cast<unsigned char>(image[4]);
        file.push_back(static_cast<char>(size));
        file.push_back(static_cast<char>(size));
        file.push_back(0);
        file.push_back(0);
        Put16(file, type == 2 ? 3 : 1);
        Put16(file, type == 2 ? 4 : 24);
        Put32(file, static_cast<unsigned>(image.size()));
        Put32(file, static_cast<unsigned>(offset));
        offset += image.size();
    }
    for (const std::string& image : images) {
        file += image;
    }
    return file;
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(IconFile, DecodesColourAndMaskAndRefusesDamage) {
    std::string file = IconFile({IconImage(4), IconImage(8)});
    std::vector<platform::IconPicture> pictures = platform::DecodeIconFile(Bytes(file));
    ASSERT_EQ(pictures.size(), 2u);
    const platform::IconPicture& small = pictures[0];
    EXPECT_EQ(small.color.width(), 4);
    EXPECT_EQ(small.color.At(1, 0), 0xFF0000u);
    EXPECT_EQ(small.color.At(1, 3), 0x0000FFu);
    EXPECT_EQ(small.mask.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(small.mask.At(1, 0), 0u);
    EXPECT_EQ(*platform::ChooseIconPicture(pictures, 8, 8), 1u);
    EXPECT_EQ(*platform::ChooseIconPicture(pictures, 5, 5), 0u);

    std::string cursor = IconFile({IconImage(4)}, 2);
    pictures = platform::DecodeIconFile(Bytes(cursor));
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].hotspotX, 3);
    EXPECT_EQ(pictures[0].hotspotY, 4);

    std::string bad_offset = file;
    bad_offset[6 + 12] = '\x7F';
    EXPECT_EQ(platform::DecodeIconFile(Bytes(bad_offset)).size(), 1u);
    std::string too_many = file;
    too_many[4] = '\x50';
    EXPECT_TRUE(platform::DecodeIconFile(Bytes(too_many)).empty());
    EXPECT_TRUE(platform::DecodeIconFile(Bytes(file.substr(0, 40))).empty());
    EXPECT_TRUE(platform::DecodeIconFile(Bytes("BM")).empty());
}

TEST(DrawIconEx, MaskLetsTheScreenThroughAndSizesFollowTheFlags) {
    std::vector<platform::IconPicture> pictures =
        platform::DecodeIconFile(Bytes(IconFile({IconImage(4)})));
    HICON icon = platform::CreateIconFromPicture(pictures[0], true, 0, 0);
    ASSERT_NE(icon, nullptr);
    MemoryCanvas canvas(40, 40, kGreen);
    ASSERT_TRUE(DrawIconEx(canvas.dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(1, 1), kGreen);
    EXPECT_EQ(canvas.At(2, 1), kRed);
    EXPECT_EQ(canvas.At(2, 4), kBlue);
    EXPECT_EQ(canvas.At(5, 5), kGreen);

    DrawIconEx(canvas.dc(), 10, 10, icon, 8, 8, 0, nullptr, DI_IMAGE);
    EXPECT_EQ(canvas.At(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(17, 17), kBlue);
    EXPECT_EQ(canvas.At(18, 18), kGreen);

    MemoryCanvas large(40, 40, kGreen);
    ASSERT_TRUE(DrawIcon(large.dc(), 0, 0, icon));
    RECT box = large.InkBox(kGreen);
    EXPECT_EQ(box.right, 32);
    EXPECT_EQ(box.bottom, 32);
    EXPECT_EQ(large.At(7, 0), kGreen);
    EXPECT_EQ(large.At(8, 0), kRed);

    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    DrawIconEx(canvas.dc(), 30, 30, icon, 0, 0, 0, white, DI_NORMAL);
    EXPECT_EQ(canvas.At(30, 30), RGB(255, 255, 255));
    DeleteObject(white);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(canvas.dc(), 0, 0, icon));
}

TEST(IconInfo, CreateIndirectAndGetIconInfoRoundTrip) {
    // A monochrome icon: AND rows on top, XOR rows below. A white AND with a white XOR inverts.
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(2, 4, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    SetPixel(dc, 0, 0, RGB(255, 255, 255));
    SetPixel(dc, 0, 2, RGB(255, 255, 255));
    SetPixel(dc, 1, 3, RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    MemoryCanvas canvas(2, 2, RGB(10, 20, 30));
    DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.At(0, 0), RGB(245, 235, 225));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 255, 255));

    ICONINFO back{};
    ASSERT_TRUE(GetIconInfo(icon, &back));
    EXPECT_TRUE(back.fIcon);
    EXPECT_EQ(back.xHotspot, 1u);
    BITMAP bitmap;
    GetObject(back.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmBitsPixel, 1);
    EXPECT_EQ(bitmap.bmHeight, 2);
    DeleteObject(back.hbmMask);
    DeleteObject(back.hbmColor);
    HICON copy = CopyIcon(icon);
    DestroyIcon(icon);
    EXPECT_TRUE(DestroyIcon(copy));
    DeleteObject(mask);
    ICONINFO none{TRUE, 0, 0, nullptr, nullptr};
    EXPECT_EQ(CreateIconIndirect(&none), nullptr);
}

TEST(LoadImageIcon, PicksTheClosestSizeFromAFile) {
    platform::testing::TempFolder folder;
    folder.WriteFile("button_b.ico", IconFile({IconImage(4), IconImage(16)}));
    std::string path = platform::ToWindowsPath(folder.path() / "button_b.ico");
    HICON icon =
        static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP bitmap;
    GetObject(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    HICON first =
        static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(first, nullptr);
    MemoryCanvas canvas(40, 40, kGreen);
    DrawIconEx(canvas.dc(), 0, 0, first, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.InkBox(kGreen).right, 4);
    DestroyIcon(first);

    folder.WriteFile("broken.ico", "not an icon");
    std::string broken = platform::ToWindowsPath(folder.path() / "broken.ico");
    EXPECT_EQ(LoadImageA(nullptr, broken.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE), nullptr);
}

}  // namespace
