#include <gtest/gtest.h>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Gdi.h"

namespace {

using platform::testing::MemoryCanvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class SongTi {
public:
    explicit SongTi(HDC dc, int height = -12, int width = 0, bool underline = false)
        : dc_(dc),
          font_(CreateFontA(height, width, 0, 0, FW_NORMAL, 0, underline, 0, GB2312_CHARSET, 0, 0,
                            0, 0, "宋体")),
          old_(SelectObject(dc, font_)) {}
    ~SongTi() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

int InkIn(const MemoryCanvas& canvas, RECT area) {
    int ink = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            ink += canvas.At(x, y) != kWhite ? 1 : 0;
        }
    }
    return ink;
}

TEST(TextMeasure, ChineseFacesUseHalfAndFullCells) {
    MemoryCanvas canvas(4, 4);
    SongTi font(canvas.dc());
    SIZE size;
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), "ab中文", 6, &size));
    EXPECT_EQ(size.cx, 36);
    EXPECT_EQ(size.cy, 12);
    TEXTMETRICA metrics;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, 12);
    EXPECT_EQ(metrics.tmAscent, 10);
    EXPECT_EQ(metrics.tmDescent, 2);
    EXPECT_EQ(metrics.tmAveCharWidth, 6);
    EXPECT_EQ(metrics.tmMaxCharWidth, 12);
    EXPECT_EQ(metrics.tmCharSet, GB2312_CHARSET);
    char face[LF_FACESIZE];
    EXPECT_EQ(GetTextFaceA(canvas.dc(), sizeof face, face), 4);
    EXPECT_STREQ(face, "宋体");
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "x", -1, &size));
}

TEST(TextMeasure, GivenWidthAndCellHeightAreKept) {
    MemoryCanvas canvas(4, 4);
    SongTi font(canvas.dc(), 12, 6);
    SIZE size;
    GetTextExtentPoint32A(canvas.dc(), "1中", 3, &size);
    EXPECT_EQ(size.cx, 18);
    SongTi big(canvas.dc(), 24);
    GetTextExtentPoint32A(canvas.dc(), "1中", 3, &size);
    EXPECT_EQ(size.cx, 36);
    EXPECT_EQ(size.cy, 24);
}

TEST(TextOut, ChineseGlyphsInkTheirOwnCells) {
    MemoryCanvas canvas(40, 20);
    SongTi font(canvas.dc());
    SetBkMode(canvas.dc(), TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc(), 4, 3, "中文", 4));
    EXPECT_GT(InkIn(canvas, RECT{4, 3, 16, 15}), 12);
    EXPECT_GT(InkIn(canvas, RECT{16, 3, 28, 15}), 12);
    RECT box = canvas.InkBox(kWhite);
    EXPECT_GE(box.left, 4);
    EXPECT_GE(box.top, 3);
    EXPECT_LE(box.right, 28);
    EXPECT_LE(box.bottom, 15);
    // "中" has a vertical stroke through the middle of its cell.
    EXPECT_GE(InkIn(canvas, RECT{9, 3, 11, 15}), 8);
    EXPECT_EQ(canvas.CountOf(kBlack), InkIn(canvas, RECT{0, 0, 40, 20}));
}

TEST(TextOut, BoldInksMoreThanNormalEvenWithoutABoldFace) {
    auto ink = [](const char* face, int weight) {
        MemoryCanvas canvas(80, 30);
        HFONT font = CreateFontA(-12, 0, 0, 0, weight, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, face);
        HGDIOBJ old = SelectObject(canvas.dc(), font);
        SetBkMode(canvas.dc(), TRANSPARENT);
        TextOutA(canvas.dc(), 2, 2, "中文ab", 6);
        SelectObject(canvas.dc(), old);
        DeleteObject(font);
        return canvas.CountOf(kBlack);
    };
    // The installed Chinese face has no bold style; bold is drawn by emboldening it.
    EXPECT_GT(ink("宋体", FW_BOLD), ink("宋体", FW_NORMAL) * 5 / 4);
    EXPECT_GT(ink("黑体", FW_BOLD), ink("黑体", FW_NORMAL) * 5 / 4);
    EXPECT_GT(ink("Tahoma", FW_BOLD), ink("Tahoma", FW_NORMAL));
}

TEST(TextOut, OpaqueModePaintsTheCellBackgroundAndAlignmentMovesTheText) {
    MemoryCanvas canvas(40, 20);
    SongTi font(canvas.dc());
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    TextOutA(canvas.dc(), 2, 2, "ab", 2);
    RECT box = canvas.InkBox(kWhite);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right, 14);
    EXPECT_EQ(box.bottom, 14);

    MemoryCanvas right(40, 20);
    SongTi right_font(right.dc());
    SetTextAlign(right.dc(), TA_RIGHT | TA_BOTTOM);
    SetBkColor(right.dc(), RGB(0, 0, 255));
    TextOutA(right.dc(), 30, 18, "ab", 2);
    box = right.InkBox(kWhite);
    EXPECT_EQ(box.left, 18);
    EXPECT_EQ(box.right, 30);
    EXPECT_EQ(box.top, 6);
    EXPECT_EQ(box.bottom, 18);
}

TEST(ExtTextOut, OpaqueRectangleAndClipping) {
    MemoryCanvas canvas(30, 20);
    SongTi font(canvas.dc());
    SetBkColor(canvas.dc(), RGB(0, 255, 0));
    RECT rect{0, 0, 8, 14};
    ASSERT_TRUE(
        ExtTextOutA(canvas.dc(), 0, 0, ETO_OPAQUE | ETO_CLIPPED, &rect, "中中", 4, nullptr));
    RECT box = canvas.InkBox(kWhite);
    EXPECT_EQ(box.right, 8);
    EXPECT_EQ(box.bottom, 14);
    EXPECT_EQ(canvas.At(7, 13), RGB(0, 255, 0));
}

TEST(DrawText, CentredTextHasItsInkInTheMiddle) {
    MemoryCanvas canvas(100, 40);
    SongTi font(canvas.dc());
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT rect{0, 0, 100, 40};
    int height = DrawTextA(canvas.dc(), "中国", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(height, 26);
    RECT box = canvas.InkBox(kWhite);
    EXPECT_NEAR((box.left + box.right) / 2.0, 50.0, 1.0);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 20.0, 1.0);
}

TEST(DrawText, PrefixUnderlinesAndRightAlignmentAndClipping) {
    MemoryCanvas canvas(60, 20);
    SongTi font(canvas.dc());
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT rect{0, 0, 60, 20};
    DrawTextA(canvas.dc(), "&_", -1, &rect, DT_SINGLELINE);
    // '_' alone inks only its own low row; the prefix adds the underline on row 11.
    EXPECT_EQ(canvas.Picture(RECT{0, 11, 7, 12}, kBlack), "######.\n");

    MemoryCanvas right(60, 20);
    SongTi right_font(right.dc());
    SetBkColor(right.dc(), RGB(0, 0, 255));
    RECT small{10, 2, 50, 8};
    DrawTextA(right.dc(), "ab", 2, &small, DT_RIGHT | DT_SINGLELINE);
    RECT box = right.InkBox(kWhite);
    EXPECT_EQ(box.right, 50);
    EXPECT_EQ(box.left, 38);
    EXPECT_EQ(box.bottom, 8);
}

TEST(DrawText, CalcRectMeasuresLinesWithoutDrawing) {
    MemoryCanvas canvas(60, 40);
    SongTi font(canvas.dc());
    RECT rect{5, 5, 200, 5};
    EXPECT_EQ(DrawTextA(canvas.dc(), "ab\r\ncdef", -1, &rect, DT_CALCRECT), 24);
    EXPECT_EQ(rect.right, 5 + 24);
    EXPECT_EQ(rect.bottom, 5 + 24);
    EXPECT_EQ(canvas.InkBox(kWhite).right, 0);
    RECT wrap{0, 0, 30, 0};
    DrawTextA(canvas.dc(), "aaa bbb ccc", -1, &wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(wrap.bottom, 36);
    EXPECT_EQ(wrap.right, 18);
}

TEST(DrawState, DisabledTextIsEmbossedAndOtherKindsAreRefused) {
    MemoryCanvas canvas(40, 20, RGB(236, 233, 216));
    SongTi font(canvas.dc());
    const char* text = "关于(&A)";
    ASSERT_TRUE(DrawStateA(canvas.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(text), 0, 2, 2,
                           0, 0, DST_PREFIXTEXT | DSS_DISABLED));
    int white = canvas.CountOf(RGB(255, 255, 255));
    int grey = canvas.CountOf(RGB(128, 128, 128));
    EXPECT_GT(white, 0);
    EXPECT_GT(grey, white / 2);
    EXPECT_EQ(canvas.CountOf(kBlack), 0);
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    EXPECT_EQ(GetTextColor(canvas.dc()), kBlack);
    RECT box = canvas.InkBox(RGB(236, 233, 216));
    EXPECT_EQ(box.left, 2);
    EXPECT_LE(box.right, 2 + 42 + 1);

    MemoryCanvas normal(40, 20, RGB(236, 233, 216));
    SongTi normal_font(normal.dc());
    SetBkMode(normal.dc(), TRANSPARENT);
    DrawStateA(normal.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(text), 0, 2, 2, 0, 0,
               DST_PREFIXTEXT);
    EXPECT_GT(normal.CountOf(kBlack), 0);
    EXPECT_FALSE(DrawStateA(normal.dc(), nullptr, nullptr, 0, 0, 0, 0, 0, 0, DST_BITMAP));
}

}  // namespace
