#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Gdi.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Draws a small window-like picture and leaves it in the test's working folder for people to
// look at: a caption bar with a gradient, a frame, and Chinese text.
TEST(WritePng, WritesAPictureThatOtherToolsRead) {
    platform::testing::MemoryCanvas canvas(240, 120, RGB(236, 233, 216));
    HDC dc = canvas.dc();
    TRIVERTEX vertices[] = {{0, 0, 0x0A00, 0x2400, 0x6A00, 0},
                            {240, 22, 0xA600, 0xCA00, 0xF000, 0}};
    GRADIENT_RECT mesh{0, 1};
    GradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
    HFONT bold = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    HFONT normal =
        CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    HGDIOBJ old_font = SelectObject(dc, bold);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT caption{6, 0, 240, 22};
    DrawTextA(dc, "桌面助手 - 提醒", -1, &caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    HBRUSH frame = CreateSolidBrush(RGB(110, 110, 110));
    RECT outline{0, 0, 240, 120};
    FrameRect(dc, &outline, frame);
    SelectObject(dc, normal);
    SetTextColor(dc, RGB(0, 0, 255));
    RECT body{10, 30, 230, 110};
    DrawTextA(dc, "今天下午三点开会，请准时参加。&Remind me in 10 minutes", -1, &body,
              DT_WORDBREAK);
    HBRUSH fill = CreateSolidBrush(RGB(255, 255, 155));
    HGDIOBJ old_brush = SelectObject(dc, fill);
    RoundRect(dc, 160, 86, 230, 110, 5, 5);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT button{160, 86, 230, 110};
    DrawTextA(dc, "确定(&O)", -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_font);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(bold), static_cast<HGDIOBJ>(normal),
                           static_cast<HGDIOBJ>(frame), static_cast<HGDIOBJ>(fill)}) {
        DeleteObject(object);
    }

    const std::filesystem::path folder = PROJECT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / "drawing-sample.png";
    ASSERT_TRUE(platform::WritePng(canvas.pixels(), path));
    std::string bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\0\xF0\0\0\0\x78", 8));

    EXPECT_FALSE(platform::WritePng(platform::Surface(), path));
    EXPECT_FALSE(platform::WritePng(canvas.pixels(), "/nonexistent-folder/x.png"));
}

}  // namespace
