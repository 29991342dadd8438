#include <gtest/gtest.h>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Gdi.h"

namespace {

using platform::testing::MemoryCanvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(Rectangle, OnePixelPenOutlinesTheEdgeAndTheBrushFillsTheInside) {
    MemoryCanvas canvas(14, 14);
    HBRUSH brush = CreateSolidBrush(kRed);
    HGDIOBJ old = SelectObject(canvas.dc(), brush);
    ASSERT_TRUE(Rectangle(canvas.dc(), 2, 2, 12, 12));
    SelectObject(canvas.dc(), old);
    DeleteObject(brush);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 14; ++x) {
            bool inside_box = x >= 2 && x < 12 && y >= 2 && y < 12;
            bool edge = inside_box && (x == 2 || x == 11 || y == 2 || y == 11);
            COLORREF expected = !inside_box ? kWhite : (edge ? kBlack : kRed);
            ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(Rectangle, NullPenFillsOnePixelLessAndHollowBrushLeavesTheInside) {
    MemoryCanvas canvas(12, 12);
    HBRUSH brush = CreateSolidBrush(kRed);
    SelectObject(canvas.dc(), brush);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    Rectangle(canvas.dc(), 0, 0, 10, 10);
    EXPECT_EQ(canvas.InkBox(kWhite).right, 9);
    EXPECT_EQ(canvas.InkBox(kWhite).bottom, 9);
    EXPECT_EQ(canvas.CountOf(kRed), 81);

    canvas.pixels().Fill(platform::PixelFromColor(kWhite));
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc(), GetStockObject(HOLLOW_BRUSH));
    Rectangle(canvas.dc(), 0, 0, 10, 10);
    EXPECT_EQ(canvas.CountOf(kBlack), 36);
    EXPECT_EQ(canvas.At(5, 5), kWhite);
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(Lines, LineToLeavesOutTheEndPointAndMovesThePosition) {
    MemoryCanvas canvas(10, 10);
    MoveToEx(canvas.dc(), 1, 1, nullptr);
    LineTo(canvas.dc(), 5, 1);
    EXPECT_EQ(canvas.Picture(RECT{0, 0, 7, 2}, kBlack), ".......\n.####..\n");
    POINT position;
    GetCurrentPositionEx(canvas.dc(), &position);
    EXPECT_EQ(position.x, 5);
    LineTo(canvas.dc(), 5, 4);
    EXPECT_EQ(canvas.At(5, 1), kBlack);
    EXPECT_EQ(canvas.At(5, 3), kBlack);
    EXPECT_EQ(canvas.At(5, 4), kWhite);
}

TEST(Lines, DiagonalAndReversedLinesCoverOnePixelPerStep) {
    MemoryCanvas canvas(8, 8);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 4, 4);
    MoveToEx(canvas.dc(), 7, 7, nullptr);
    LineTo(canvas.dc(), 7, 5);
    EXPECT_EQ(canvas.Picture(RECT{0, 0, 8, 8}, kBlack),
              "#.......\n.#......\n..#.....\n...#....\n........\n........\n.......#\n"
              ".......#\n");
}

TEST(Lines, DottedPenAlternatesThreePixelsAndFillsGapsOnlyWhenOpaque) {
    MemoryCanvas canvas(14, 2);
    HPEN pen = CreatePen(PS_DOT, 1, kBlack);
    SelectObject(canvas.dc(), pen);
    SetBkColor(canvas.dc(), kRed);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    SetBkMode(canvas.dc(), TRANSPARENT);
    MoveToEx(canvas.dc(), 0, 1, nullptr);
    LineTo(canvas.dc(), 12, 1);
    EXPECT_EQ(canvas.Picture(RECT{0, 0, 14, 2}, kBlack), "###...###.....\n###...###.....\n");
    EXPECT_EQ(canvas.Picture(RECT{0, 0, 14, 2}, kRed), "...###...###..\n..............\n");
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Lines, XorPenTwiceRestoresAndNotInverts) {
    MemoryCanvas canvas(6, 3);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x12, 0x34, 0x56));
    SelectObject(canvas.dc(), pen);
    EXPECT_EQ(SetROP2(canvas.dc(), R2_XORPEN), R2_COPYPEN);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 5, 0);
    EXPECT_EQ(canvas.At(2, 0), RGB(0xED, 0xCB, 0xA9));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 5, 0);
    EXPECT_EQ(canvas.At(2, 0), kWhite);

    SetROP2(canvas.dc(), R2_NOT);
    MoveToEx(canvas.dc(), 0, 1, nullptr);
    LineTo(canvas.dc(), 5, 1);
    EXPECT_EQ(canvas.At(2, 1), kBlack);
    SetROP2(canvas.dc(), R2_NOTXORPEN);
    MoveToEx(canvas.dc(), 0, 2, nullptr);
    LineTo(canvas.dc(), 5, 2);
    EXPECT_EQ(canvas.At(2, 2), RGB(0x12, 0x34, 0x56));
    SetROP2(canvas.dc(), R2_NOP);
    MoveToEx(canvas.dc(), 0, 2, nullptr);
    LineTo(canvas.dc(), 5, 2);
    EXPECT_EQ(canvas.At(2, 2), RGB(0x12, 0x34, 0x56));
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Fills, FillRectFrameRectAndInvertRectExcludeRightAndBottom) {
    MemoryCanvas canvas(8, 8);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT rect{1, 1, 5, 4};
    FillRect(canvas.dc(), &rect, red);
    EXPECT_EQ(canvas.InkBox(kWhite).right, 5);
    EXPECT_EQ(canvas.CountOf(kRed), 12);

    canvas.pixels().Fill(platform::PixelFromColor(kWhite));
    FrameRect(canvas.dc(), &rect, red);
    EXPECT_EQ(canvas.Picture(RECT{0, 0, 6, 5}, kRed), "......\n.####.\n.#..#.\n.####.\n......\n");

    InvertRect(canvas.dc(), &rect);
    EXPECT_EQ(canvas.At(2, 2), kBlack);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 255, 255));
    InvertRect(canvas.dc(), &rect);
    EXPECT_EQ(canvas.At(2, 2), kWhite);
    EXPECT_EQ(canvas.At(1, 1), kRed);
    DeleteObject(red);
}

TEST(Fills, PatternAndHatchBrushesRepeatFromTheBrushOrigin) {
    MemoryCanvas canvas(8, 4);
    HBITMAP pattern = CreateBitmap(2, 1, 1, 1, "\x40\x00");  // black, white
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps its own copy
    SetTextColor(canvas.dc(), kRed);
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    RECT rect{0, 0, 4, 1};
    FillRect(canvas.dc(), &rect, brush);
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(2, 0), kRed);
    DeleteObject(brush);

    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, kBlack);
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT all{0, 1, 8, 4};
    FillRect(canvas.dc(), &all, hatch);
    EXPECT_EQ(canvas.Picture(RECT{0, 1, 8, 2}, kBlack), "....#...\n");
    EXPECT_EQ(canvas.At(0, 1), kWhite);
    DeleteObject(hatch);
}

TEST(Shapes, EllipseStaysInsideItsBoxAndIsSymmetric) {
    MemoryCanvas canvas(12, 12);
    HBRUSH red = CreateSolidBrush(kRed);
    SelectObject(canvas.dc(), red);
    Ellipse(canvas.dc(), 1, 1, 11, 11);
    RECT box = canvas.InkBox(kWhite);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 11);
    EXPECT_EQ(box.bottom, 11);
    EXPECT_EQ(canvas.At(1, 1), kWhite);
    EXPECT_EQ(canvas.At(6, 6), kRed);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            ASSERT_EQ(canvas.At(x, y), canvas.At(11 - x, y)) << x << "," << y;
            ASSERT_EQ(canvas.At(x, y), canvas.At(y, x)) << x << "," << y;
        }
    }
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

TEST(Shapes, RoundRectCutsItsCornersButKeepsItsSides) {
    MemoryCanvas canvas(22, 14);
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 155));
    SelectObject(canvas.dc(), brush);
    RoundRect(canvas.dc(), 1, 1, 21, 13, 5, 5);
    EXPECT_EQ(canvas.At(1, 1), kWhite);
    EXPECT_EQ(canvas.At(10, 1), kBlack);
    EXPECT_EQ(canvas.At(1, 6), kBlack);
    EXPECT_EQ(canvas.At(20, 6), kBlack);
    EXPECT_EQ(canvas.At(10, 12), kBlack);
    EXPECT_EQ(canvas.At(10, 6), RGB(255, 255, 155));
    EXPECT_EQ(canvas.InkBox(kWhite).right, 21);
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(Shapes, PolygonFillsByPixelCentresAndOutlinesEveryEdge) {
    MemoryCanvas canvas(8, 8);
    HBRUSH red = CreateSolidBrush(kRed);
    SelectObject(canvas.dc(), red);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    POINT square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    Polygon(canvas.dc(), square, 4);
    EXPECT_EQ(canvas.CountOf(kRed), 16);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Polygon(canvas.dc(), square, 4);
    EXPECT_EQ(canvas.Picture(RECT{0, 0, 7, 7}, kBlack),
              ".......\n.#####.\n.#...#.\n.#...#.\n.#...#.\n.#####.\n.......\n");
    EXPECT_FALSE(Polygon(canvas.dc(), square, 1));
    DeleteObject(red);
}

TEST(Pixels, SetPixelGetPixelAndTheirLimits) {
    MemoryCanvas canvas(4, 4);
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 2), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc(), 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc(), -1, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc(), 9, 9, kRed), CLR_INVALID);
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
}

TEST(Pixels, MonochromeBitmapsHoldOnlyBlackAndWhite) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateCompatibleBitmap(dc, 4, 1);
    BITMAP info;
    ASSERT_EQ(GetObject(mask, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    HGDIOBJ old = SelectObject(dc, mask);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(200, 200, 200)), kWhite);
    EXPECT_EQ(SetPixel(dc, 1, 0, RGB(40, 40, 40)), kBlack);
    SelectObject(dc, old);
    DeleteObject(mask);
    DeleteDC(dc);
}

TEST(Gradient, HorizontalRectangleRunsFromFirstToLastColour) {
    MemoryCanvas canvas(5, 2);
    TRIVERTEX vertices[] = {{0, 0, 0, 0, 0, 0}, {5, 2, 0xFF00, 0x8000, 0, 0}};
    GRADIENT_RECT mesh{0, 1};
    ASSERT_TRUE(GradientFill(canvas.dc(), vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(canvas.At(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(2, 0), RGB(127, 64, 0));
    EXPECT_EQ(canvas.At(4, 0), RGB(255, 128, 0));
    GRADIENT_RECT bad{0, 7};
    EXPECT_FALSE(GradientFill(canvas.dc(), vertices, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

}  // namespace
