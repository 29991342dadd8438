#include "manager/PagePainter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/GMyCaDlg.h"
#include "manager/LookupPage.h"
#include "manager/ManagerTest.h"
#include "manager/SkinConfig.h"
#include "platform/drawing/Bitmap.h"

namespace manager_testing {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class PagePainterTest : public ManagerDialogTest {
protected:
    void SetUp() override {
        ManagerDialogTest::SetUp();
        HDC screen = ::GetDC(nullptr);
        window.CreateCompatibleDC(CDC::FromHandle(screen));
        surface.CreateCompatibleBitmap(CDC::FromHandle(screen), 100, 100);
        ::ReleaseDC(nullptr, screen);
        old_ = window.SelectObject(&surface);
    }
    void TearDown() override {
        window.SelectObject(old_);
        ManagerDialogTest::TearDown();
    }
    // Paints the "window" blue, then a page's white buffer over it: a letter for each pixel row
    // of every tenth column, "w" where the buffer came through, "b" where the window kept its own.
    std::vector<std::string> Paint(CPagePainter& painter, BOOL whole) {
        window.FillSolidRect(0, 0, 100, 100, kBlue);
        CDC* buffer = painter.BeginDraw(&window, RECT{0, 0, 100, 100});
        EXPECT_NE(buffer, nullptr);
        painter.EndDraw(&window, whole);
        std::vector<std::string> rows;
        for (int y = 5; y < 100; y += 10) {
            std::string row;
            for (int x = 5; x < 100; x += 10) {
                row += window.GetPixel(x, y) == kWhite ? 'w' : 'b';
            }
            rows.push_back(row);
        }
        return rows;
    }

    CDC window;
    CBitmap surface;

private:
    CBitmap* old_ = nullptr;
};

TEST_F(PagePainterTest, TheCopyLeavesTheControlsAloneUnlessTheWholeBufferIsAsked) {
    CPagePainter painter;
    // Nothing to draw into before the first layout.
    EXPECT_EQ(painter.BeginDraw(&window, RECT{0, 0, 100, 100}), nullptr);
    painter.ResetRects();
    painter.AddRect(RECT{0, 0, 100, 100});
    painter.AddRect(RECT{20, 30, 60, 50});
    painter.SplitRects();
    EXPECT_EQ(Paint(painter, FALSE),
              (std::vector<std::string>{"wwwwwwwwww", "wwwwwwwwww", "wwwwwwwwww", "wwbbbbwwww",
                                        "wwbbbbwwww", "wwwwwwwwww", "wwwwwwwwww", "wwwwwwwwww",
                                        "wwwwwwwwww", "wwwwwwwwww"}));
    EXPECT_EQ(Paint(painter, TRUE), std::vector<std::string>(10, "wwwwwwwwww"));
    // A control over the whole page: nothing is copied.
    painter.ResetRects();
    painter.AddRect(RECT{0, 0, 100, 100});
    painter.AddRect(RECT{0, 0, 100, 100});
    painter.SplitRects();
    EXPECT_EQ(Paint(painter, FALSE), std::vector<std::string>(10, "bbbbbbbbbb"));
}

TEST_F(PagePainterTest, EveryPageOfTheShippedSkinFindsAndLoadsItsBitmap) {
    for (const char* key :
         {kCalendarSkinKey, kOptionSkinKey, kAboutSkinKey, kSystemSkinKey, kSearchSkinKey}) {
        CPagePainter painter;
        EXPECT_EQ(painter.LoadSkin(key), 0) << key;
        const CBitmap* bitmap = painter.Background().GetBitmap();
        ASSERT_NE(bitmap, nullptr) << key;
        BITMAP info{};
        bitmap->GetBitmap(&info);
        EXPECT_GT(info.bmWidth, 0) << key;
    }
    // A file that is no bitmap holds nothing, and frees what the last load held.
    CBitmapFile file;
    EXPECT_EQ(file.Load("data\\skin\\main.bmp"), 0);
    EXPECT_EQ(file.Load("data\\config.dat"), 1);
    EXPECT_EQ(file.GetBitmap(), nullptr);
}

}  // namespace
}  // namespace manager_testing
