#include "resources/testing/Bmp.h"

#include <gtest/gtest.h>

#include "platform/drawing/ResourceImages.h"

namespace platform::resource_checks {

Bmp::Bmp(int id) {
    if (auto bytes = FindResourceBytes(nullptr, MAKEINTRESOURCE(id), RT_BITMAP))
        bytes_ = *bytes;
}

bool Bmp::Valid() const {
    return bytes_.size() >= 54 && bytes_[0] == 'B' && bytes_[1] == 'M' && Bits() == 24 &&
           Word32(30) == 0 && Height() > 0 &&
           bytes_.size() >= Offset() + size_t(Stride()) * Height();
}

int Bmp::Width() const {
    return static_cast<int>(Word32(18));
}

int Bmp::Height() const {
    return static_cast<int>(Word32(22));
}

int Bmp::Bits() const {
    return bytes_[28] | bytes_[29] << 8;
}

std::uint32_t Bmp::Pixel(int x, int y) const {
    size_t at = Offset() + size_t(Height() - 1 - y) * Stride() + size_t(x) * 3;
    return bytes_[at] | bytes_[at + 1] << 8 | std::uint32_t(bytes_[at + 2]) << 16;
}

std::pair<int, int> Bmp::Coverage(int left, int top, int cx, int cy) const {
    int mask = 0, picture = 0;
    for (int y = top; y < top + cy; ++y) {
        for (int x = left; x < left + cx; ++x)
            (Pixel(x, y) == kMagenta ? mask : picture)++;
    }
    return {mask, picture};
}

std::uint32_t Bmp::Word32(size_t at) const {
    return bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 |
           std::uint32_t(bytes_[at + 3]) << 24;
}

size_t Bmp::Offset() const {
    return Word32(10);
}

int Bmp::Stride() const {
    return (Width() * 3 + 3) & ~3;
}

bool SameImage(const Bmp& a, int ax, int ay, const Bmp& b, int bx, int by, int cx, int cy) {
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            if (a.Pixel(ax + x, ay + y) != b.Pixel(bx + x, by + y))
                return false;
        }
    }
    return true;
}

void ExpectBitmapSize(int id, int cx, int cy) {
    Bmp bmp(id);
    ASSERT_TRUE(bmp.Valid()) << "bitmap " << id;
    EXPECT_EQ(bmp.Width(), cx) << "bitmap " << id;
    EXPECT_EQ(bmp.Height(), cy) << "bitmap " << id;

    HBITMAP loaded = LoadBitmapA(nullptr, MAKEINTRESOURCE(id));
    ASSERT_NE(loaded, nullptr) << "bitmap " << id;
    BITMAP info{};
    ASSERT_NE(GetObjectA(loaded, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, cx) << "bitmap " << id;
    EXPECT_EQ(info.bmHeight, cy) << "bitmap " << id;
    DeleteObject(loaded);
}

}  // namespace platform::resource_checks
