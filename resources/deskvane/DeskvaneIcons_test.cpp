// The desktop manager's program icon and the note editor's tool-button icons, which the editor
// loads from the program folder's data folder at 16 x 16 pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/IconApi.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/files/Path.h"
#include "platform/resources/ResourceApi.h"
#include "resources/deskvane/resource.h"

namespace platform {
namespace {

using testing::MemoryCanvas;

constexpr COLORREF kBackground = RGB(0, 200, 0);

const char* const kToolIcons[] = {
    "button_b",
    "button_i",
    "button_u",
    "button_left",
    "button_center",
    "button_right",
    "button_textcolor",
    "button_bgcolor",
    "cut",
    "copy",
    "paste",
    "undo",
};

// The icon drawn at its own size onto a green canvas twice its size, as the hint buttons draw
// it; the picture as characters, '#' where the icon covers the canvas.
std::string DrawnPicture(HICON icon, int size) {
    MemoryCanvas canvas(size * 2, size * 2, kBackground);
    DrawIconEx(canvas.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::string picture;
    for (int y = 0; y < size * 2; ++y) {
        for (int x = 0; x < size * 2; ++x) {
            bool inside = x < size && y < size;
            bool ink = canvas.At(x, y) != kBackground;
            EXPECT_TRUE(inside || !ink) << "drawn outside the icon at " << x << "," << y;
            if (inside)
                picture.push_back(ink ? '#' : '.');
        }
    }
    return picture;
}

int Ink(const std::string& picture) {
    return static_cast<int>(std::count(picture.begin(), picture.end(), '#'));
}

TEST(DeskvaneIconsTest, ProgramIconHasALargeAndASmallPictureWithTransparentCorners) {
    ASSERT_TRUE(FindResourceBytes(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON));
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObject(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        std::string picture = DrawnPicture(icon, size);
        EXPECT_EQ(picture.front(), '.') << size;
        EXPECT_EQ(picture.back(), '.') << size;
        EXPECT_GT(Ink(picture), size * size / 2) << size;
        DestroyIcon(icon);
    }
    EXPECT_NE(LoadIconA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME)), nullptr);
}

TEST(DeskvaneIconsTest, EveryToolButtonIconLoadsAtSixteenPixelsAndShowsItsOwnPicture) {
    std::vector<std::string> pictures;
    for (const char* name : kToolIcons) {
        std::filesystem::path file =
            std::filesystem::path(DESKVANE_PROGRAM_FOLDER) / "data" / (std::string(name) + ".ico");
        ASSERT_TRUE(std::filesystem::exists(file)) << file;
        std::string path = ToWindowsPath(file);
        HICON icon = static_cast<HICON>(
            LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
        ASSERT_NE(icon, nullptr) << name;
        std::string picture = DrawnPicture(icon, 16);
        DestroyIcon(icon);
        // A pictogram: clearly there, yet with the button showing through around it.
        EXPECT_GT(Ink(picture), 20) << name;
        EXPECT_LT(Ink(picture), 16 * 16 - 20) << name;
        for (size_t other = 0; other < pictures.size(); ++other) {
            EXPECT_NE(picture, pictures[other]) << name << " looks like " << kToolIcons[other];
        }
        pictures.push_back(picture);
    }
}

}  // namespace
}  // namespace platform
