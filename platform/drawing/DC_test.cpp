#include "platform/drawing/DC.h"

#include <gtest/gtest.h>

#include "platform/drawing/DrawingSeams.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class CanvasDC : public ::testing::Test {
protected:
    void SetUp() override {
        screen_ = platform::Surface(40, 40);
        screen_.Fill(platform::PixelFromColor(kWhite));
        dc_.Attach(platform::CreateSurfaceDC(screen_, POINT{0, 0}, RECT{0, 0, 40, 40}));
    }
    void TearDown() override { ::DeleteDC(dc_.Detach()); }
    COLORREF At(int x, int y) const { return platform::ColorFromPixel(screen_.At(x, y)); }

    platform::Surface screen_;
    CDC dc_;
};

TEST_F(CanvasDC, SelectObjectReturnsTheOldObjectsAsWrappers) {
    CPen pen(PS_SOLID, 1, RGB(197, 194, 184));
    CPen* old_pen = dc_.SelectObject(&pen);
    ASSERT_NE(old_pen, nullptr);
    EXPECT_EQ(old_pen->GetSafeHandle(), ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc_.SelectObject(old_pen), &pen);
    EXPECT_EQ(CPen::FromHandle(pen), &pen);

    CBrush brush(RGB(1, 2, 3));
    CGdiObject* old = dc_.SelectObject(static_cast<CGdiObject*>(&brush));
    EXPECT_NE(dynamic_cast<CBrush*>(old), nullptr);
    EXPECT_EQ(dc_.GetCurrentBrush(), &brush);
    dc_.SelectStockObject(WHITE_BRUSH);
    EXPECT_EQ(dc_.GetCurrentBrush()->GetSafeHandle(), ::GetStockObject(WHITE_BRUSH));
}

TEST_F(CanvasDC, WrappersDeleteWhatTheyOwnAndTemporariesDoNot) {
    HGDIOBJ handle;
    {
        CBrush brush(RGB(5, 5, 5));
        handle = brush.m_hObject;
        EXPECT_EQ(::GetObjectType(handle), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(handle), 0u);

    HBRUSH raw = ::CreateSolidBrush(RGB(6, 6, 6));
    CBrush* temporary = CBrush::FromHandle(raw);
    EXPECT_EQ(temporary->m_hObject, raw);
    EXPECT_EQ(CBrush::FromHandle(raw), temporary);
    EXPECT_TRUE(::DeleteObject(raw));

    CPen pen;
    EXPECT_TRUE(pen.CreatePen(PS_SOLID, 1, 0));
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, 0));
    HGDIOBJ detached = pen.Detach();
    EXPECT_EQ(pen.m_hObject, nullptr);
    EXPECT_TRUE(::DeleteObject(detached));
}

TEST_F(CanvasDC, FillSolidRectLeavesTheBackgroundColourSet) {
    dc_.FillSolidRect(2, 2, 3, 3, RGB(200, 220, 253));
    EXPECT_EQ(At(2, 2), RGB(200, 220, 253));
    EXPECT_EQ(At(4, 4), RGB(200, 220, 253));
    EXPECT_EQ(At(5, 5), kWhite);
    EXPECT_EQ(dc_.GetBkColor(), RGB(200, 220, 253));
}

TEST_F(CanvasDC, Draw3dRectPutsTheFirstColourTopLeftAndTheSecondBottomRight) {
    const COLORREF light = RGB(255, 255, 255);
    const COLORREF dark = RGB(110, 110, 110);
    dc_.FillSolidRect(0, 0, 40, 40, RGB(0, 0, 0));
    dc_.Draw3dRect(CRect(1, 1, 6, 5), light, dark);
    std::string picture;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x) {
            COLORREF c = At(x, y);
            picture.push_back(c == light ? 'L' : c == dark ? 'D' : '.');
        }
        picture.push_back('\n');
    }
    EXPECT_EQ(picture,
              ".......\n"
              ".LLLLD.\n"
              ".L...D.\n"
              ".L...D.\n"
              ".DDDDD.\n"
              ".......\n");
}

TEST_F(CanvasDC, TextAndFontsThroughTheWrappers) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体"));
    LOGFONTA log;
    font.GetLogFont(&log);
    EXPECT_EQ(log.lfHeight, -12);
    CFont* old = dc_.SelectObject(&font);
    EXPECT_EQ(dc_.GetTextExtent(CString("确定(&O)")).cx, 12 * 2 + 6 * 4);
    dc_.SetBkMode(TRANSPARENT);
    CRect rect(0, 0, 40, 20);
    EXPECT_EQ(dc_.DrawText(CString("中"), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 16);
    int ink = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            ink += At(x, y) != kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 10);
    dc_.SelectObject(old);
}

TEST(CDCLifetime, CreatedDcsAreDeletedByTheDestructor) {
    HDC hdc;
    {
        CDC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
        hdc = memory.GetSafeHdc();
        EXPECT_EQ(CDC::FromHandle(hdc), &memory);
        CBitmap bitmap;
        CDC* screen_like = &memory;
        EXPECT_TRUE(bitmap.CreateCompatibleBitmap(screen_like, 4, 4));
        BITMAP info;
        bitmap.GetBitmap(&info);
        EXPECT_EQ(info.bmBitsPixel, 1);
    }
    EXPECT_EQ(::GetObjectType(hdc), 0u);
    CDC display;
    EXPECT_FALSE(display.CreateDC("PRINTER", nullptr, nullptr, nullptr));
}

}  // namespace
