#include "platform/drawing/Rect.h"

#include <gtest/gtest.h>

namespace {

TEST(CRect, SizesCentreAndCorners) {
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(rect.Width(), 100);
    EXPECT_EQ(rect.Height(), 50);
    EXPECT_EQ(rect.Size(), CSize(100, 50));
    EXPECT_EQ(rect.CenterPoint(), CPoint(60, 45));
    rect.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(rect, CRect(0, 0, 110, 70));
    EXPECT_EQ(rect.BottomRight(), CPoint(110, 70));
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1));
}

TEST(CRect, PtInRectLeavesOutTheRightAndBottomEdges) {
    CRect rect(0, 0, 10, 10);
    EXPECT_TRUE(rect.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(rect.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(rect.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(rect.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(rect.PtInRect(CPoint(-1, 5)));
}

TEST(CRect, EmptyAndNullAreDifferent) {
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 9).IsRectNull());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty());
}

TEST(CRect, InflateDeflateOffsetAndNormalize) {
    CRect rect(10, 10, 20, 20);
    rect.InflateRect(2, 3);
    EXPECT_EQ(rect, CRect(8, 7, 22, 23));
    rect.DeflateRect(1, 1, 2, 2);
    EXPECT_EQ(rect, CRect(9, 8, 20, 21));
    rect.DeflateRect(CSize(1, 1));
    EXPECT_EQ(rect, CRect(10, 9, 19, 20));
    rect.OffsetRect(-10, 1);
    EXPECT_EQ(rect, CRect(0, 10, 9, 21));
    rect.MoveToXY(5, 5);
    EXPECT_EQ(rect, CRect(5, 5, 14, 16));
    CRect backwards(20, 30, 10, 5);
    backwards.NormalizeRect();
    EXPECT_EQ(backwards, CRect(10, 5, 20, 30));
    EXPECT_EQ(CRect(0, 0, 4, 4) + CPoint(1, 2), CRect(1, 2, 5, 6));
    EXPECT_EQ(CRect(0, 0, 4, 4) - CSize(1, 2), CRect(-1, -2, 3, 2));
}

TEST(CRect, IntersectUnionAndSubtract) {
    CRect a(0, 0, 100, 100);
    CRect b(90, 90, 110, 110);
    CRect result;
    EXPECT_TRUE(result.IntersectRect(a, b));
    EXPECT_EQ(result, CRect(90, 90, 100, 100));
    EXPECT_FALSE(result.IntersectRect(a, CRect(100, 0, 120, 10)));
    EXPECT_TRUE(result.IsRectNull());
    EXPECT_TRUE(result.UnionRect(a, b));
    EXPECT_EQ(result, CRect(0, 0, 110, 110));
    EXPECT_TRUE(result.UnionRect(CRect(), b));
    EXPECT_EQ(result, b);
    EXPECT_FALSE(result.UnionRect(CRect(), CRect(5, 5, 5, 5)));
    EXPECT_EQ(a & b, CRect(90, 90, 100, 100));
    EXPECT_EQ(a | b, CRect(0, 0, 110, 110));
    CRect cut = a;
    cut &= CRect(50, -10, 200, 200);
    EXPECT_EQ(cut, CRect(50, 0, 100, 100));

    EXPECT_TRUE(result.SubtractRect(a, CRect(50, -5, 120, 105)));
    EXPECT_EQ(result, CRect(0, 0, 50, 100));
    EXPECT_TRUE(result.SubtractRect(a, CRect(40, 40, 60, 60)));
    EXPECT_EQ(result, a);
    EXPECT_FALSE(result.SubtractRect(a, CRect(-1, -1, 101, 101)));
}

TEST(CPointAndCSize, ArithmeticAndPackedValues) {
    CPoint point(5, 7);
    point += CSize(1, 1);
    EXPECT_EQ(point, CPoint(6, 8));
    EXPECT_EQ(point - CPoint(1, 2), CSize(5, 6));
    EXPECT_EQ(point - CSize(6, 8), CPoint(0, 0));
    EXPECT_EQ(-point, CPoint(-6, -8));
    EXPECT_TRUE(point != CPoint(6, 9));
    // Mouse coordinates are signed 16-bit halves.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(0xFFFE0003)), CPoint(3, -2));
    EXPECT_EQ(CSize(static_cast<DWORD>(0x00020001)), CSize(1, 2));
    EXPECT_EQ(CSize(3, 4) + CSize(1, 1), CSize(4, 5));
    EXPECT_EQ(CSize(3, 4) + CPoint(1, 1), CPoint(4, 5));
}

}  // namespace
