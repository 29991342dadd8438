#include "manager/BackgroundRects.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Box = std::array<LONG, 4>;

std::vector<Box> Split(CBackgroundRects& rects) {
    rects.CollectEdges();
    rects.Split();
    const RECT* result = nullptr;
    const int count = rects.GetRects(&result);
    std::vector<Box> boxes;
    for (int i = 0; i < count; ++i) {
        boxes.push_back({result[i].left, result[i].top, result[i].right, result[i].bottom});
    }
    return boxes;
}

TEST(BackgroundRectsTest, AHoleLeavesTheColumnsAroundItMergedTopToBottom) {
    CBackgroundRects rects;
    rects.AddRect(0, 0, 100, 100);
    rects.AddRect(10, 10, 10, 10);
    EXPECT_EQ(
        Split(rects),
        (std::vector<Box>{{0, 0, 10, 100}, {10, 0, 20, 10}, {10, 20, 20, 100}, {20, 0, 100, 100}}));

    rects.Reset();
    rects.AddRect(0, 0, 100, 100);
    EXPECT_EQ(Split(rects), (std::vector<Box>{{0, 0, 100, 100}}));

    rects.AddRect(-5, -5, 200, 200);
    EXPECT_TRUE(Split(rects).empty());
}

TEST(BackgroundRectsTest, HolesSharingAnEdgeAndEmptyHolesLeaveNoEmptyCells) {
    CBackgroundRects rects;
    rects.AddRect(0, 0, 100, 50);
    rects.AddRect(10, 10, 20, 20);
    rects.AddRect(30, 10, 20, 20);
    rects.AddRect(70, 0, 0, 30);
    const std::vector<Box> result = Split(rects);
    int area = 0;
    for (const auto& [left, top, right, bottom] : result) {
        EXPECT_LT(left, right);
        EXPECT_LT(top, bottom);
        area += (right - left) * (bottom - top);
    }
    // Everything but the two holes, each cell counted once.
    EXPECT_EQ(area, 100 * 50 - 2 * 20 * 20);
}

TEST(BackgroundRectsTest, MoreThanThirtyRectanglesAreRefused) {
    CBackgroundRects rects;
    rects.AddRect(0, 0, 1000, 1000);
    for (int i = 1; i < CBackgroundRects::kMaxRects; ++i) {
        EXPECT_EQ(rects.AddRect(i * 30, 5, 10, 10), 0);
    }
    EXPECT_EQ(rects.AddRect(990, 990, 5, 5), 1);
    const std::vector<Box> result = Split(rects);
    // The refused hole is painted over like the background around it.
    bool covered = false;
    for (const auto& [left, top, right, bottom] : result) {
        covered |= left <= 990 && right >= 995 && top <= 990 && bottom >= 995;
    }
    EXPECT_TRUE(covered);
}

}  // namespace
