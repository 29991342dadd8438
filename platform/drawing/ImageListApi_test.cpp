#include "platform/drawing/ImageListApi.h"

#include <gtest/gtest.h>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/ImageList.h"

namespace {

using platform::testing::MemoryCanvas;

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Two 3x2 images side by side (and a 1-pixel rest): red with a magenta corner, then blue.
class TwoImages : public ::testing::Test {
protected:
    TwoImages() : strip_(7, 2, kRed) {
        RECT blue{3, 0, 6, 2};
        HBRUSH brush = CreateSolidBrush(kBlue);
        FillRect(strip_.dc(), &blue, brush);
        DeleteObject(brush);
        SetPixel(strip_.dc(), 0, 0, kMagenta);
        SetPixel(strip_.dc(), 5, 1, kMagenta);
    }

    MemoryCanvas strip_;
};

TEST_F(TwoImages, AddMaskedCutsTheStripAndLeavesTheMaskColourOut) {
    HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR24 | ILC_MASK, 2, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetBkColor(list), CLR_NONE);
    EXPECT_EQ(ImageList_AddMasked(list, strip_.bitmap(), kMagenta), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    EXPECT_EQ(ImageList_AddMasked(list, strip_.bitmap(), kMagenta), 2);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);

    MemoryCanvas target(8, 4);
    ASSERT_TRUE(ImageList_Draw(list, 0, target.dc(), 1, 1, ILD_TRANSPARENT));
    EXPECT_EQ(target.At(1, 1), kWhite);
    EXPECT_EQ(target.At(2, 1), kRed);
    EXPECT_EQ(target.At(3, 2), kRed);
    EXPECT_EQ(target.At(4, 1), kWhite);
    ImageList_Draw(list, 1, target.dc(), 4, 1, ILD_NORMAL);
    EXPECT_EQ(target.At(4, 1), kBlue);
    EXPECT_EQ(target.At(6, 2), kWhite);

    EXPECT_EQ(ImageList_SetBkColor(list, RGB(0, 255, 0)), CLR_NONE);
    ImageList_Draw(list, 1, target.dc(), 4, 1, ILD_NORMAL);
    EXPECT_EQ(target.At(6, 2), RGB(0, 255, 0));
    ImageList_Draw(list, 0, target.dc(), 0, 0, ILD_MASK);
    EXPECT_EQ(target.At(0, 0), kWhite);
    EXPECT_EQ(target.At(1, 0), RGB(0, 0, 0));

    EXPECT_FALSE(ImageList_Draw(list, 4, target.dc(), 0, 0, ILD_NORMAL));
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    EXPECT_TRUE(ImageList_Remove(list, -1));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_AddMasked(list, strip_.bitmap(), kMagenta), -1);
}

TEST_F(TwoImages, AddTakesAMonochromeMaskAndUnmaskedListsDrawEveryPixel) {
    HDC mask_dc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(6, 2, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(mask_dc, mask);
    SetPixel(mask_dc, 2, 1, kWhite);
    SelectObject(mask_dc, old);
    DeleteDC(mask_dc);

    HIMAGELIST masked = ImageList_Create(3, 2, ILC_COLOR24 | ILC_MASK, 2, 0);
    EXPECT_EQ(ImageList_Add(masked, strip_.bitmap(), mask), 0);
    MemoryCanvas target(3, 2, kBlue);
    ImageList_Draw(masked, 0, target.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(target.At(2, 1), kBlue);
    EXPECT_EQ(target.At(1, 1), kRed);

    HIMAGELIST plain = ImageList_Create(3, 2, ILC_COLOR24, 2, 0);
    EXPECT_EQ(ImageList_AddMasked(plain, strip_.bitmap(), kMagenta), 0);
    ImageList_Draw(plain, 0, target.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(target.At(0, 0), kMagenta);
    ImageList_Destroy(masked);
    ImageList_Destroy(plain);
    DeleteObject(mask);

    EXPECT_EQ(ImageList_Create(0, 2, ILC_MASK, 1, 0), nullptr);
    HIMAGELIST wide = ImageList_Create(32, 32, ILC_MASK, 1, 0);
    EXPECT_EQ(ImageList_AddMasked(wide, strip_.bitmap(), kMagenta), -1);
    ImageList_Destroy(wide);
}

TEST_F(TwoImages, DrawExDrawsOnlyThePartAsked) {
    HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR24, 2, 0);
    ImageList_Add(list, strip_.bitmap(), nullptr);
    MemoryCanvas target(4, 3);
    ImageList_DrawEx(list, 1, target.dc(), 0, 0, 2, 1, CLR_NONE, CLR_NONE, ILD_NORMAL);
    EXPECT_EQ(target.Picture(RECT{0, 0, 4, 3}, kBlue), "##..\n....\n....\n");
    ImageList_Destroy(list);
}

TEST_F(TwoImages, CImageListOwnsItsList) {
    HIMAGELIST handle;
    {
        CImageList images;
        ASSERT_TRUE(images.Create(3, 2, ILC_COLOR24 | ILC_MASK, 2, 0));
        handle = images;
        CBitmap* bitmap = CBitmap::FromHandle(strip_.bitmap());
        EXPECT_EQ(images.Add(bitmap, kMagenta), 0);
        EXPECT_EQ(images.GetImageCount(), 2);
        MemoryCanvas target(3, 2);
        EXPECT_TRUE(images.Draw(CDC::FromHandle(target.dc()), 1, CPoint(0, 0), ILD_TRANSPARENT));
        EXPECT_EQ(target.At(0, 0), kBlue);
    }
    EXPECT_EQ(ImageList_GetImageCount(handle), 0);
    EXPECT_FALSE(ImageList_Destroy(handle));
}

}  // namespace
