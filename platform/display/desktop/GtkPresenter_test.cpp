#include "platform/display/GtkPresenter.h"

#include "platform/display/desktop/DesktopTest.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/ResourceImages.h"

// After GoogleTest, whose own None the macro of Xlib would spoil.
#include <X11/extensions/Xfixes.h>

namespace platform::testing {
namespace {

class GtkPresenterTest : public DesktopTest {};

// The pointer the X server shows now.
struct ShownPointer {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    // 0xAARRGGBB at (x, y), in the low 32 bits.
    unsigned long At(int x, int y) const { return pixels.at(static_cast<size_t>(y * width + x)); }
    std::vector<unsigned long> pixels;
};

ShownPointer PointerOnTheDesktop() {
    ShownPointer shown;
    Display* display = XOpenDisplay(nullptr);
    if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
        shown.width = image->width;
        shown.height = image->height;
        shown.hotX = image->xhot;
        shown.hotY = image->yhot;
        shown.pixels.assign(image->pixels, image->pixels + image->width * image->height);
        XFree(image);
    }
    XCloseDisplay(display);
    return shown;
}

TEST_F(GtkPresenterTest, ThePointerOverTheWindowsIsTheCursorTheProgramSets) {
    CreateTestWindow("Cursor owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    ASSERT_TRUE(PumpUntil(
        [&] { return !Shell("xdotool search --onlyvisible --name '^Cursor owner$'").empty(); }));
    Xdotool("mousemove --sync 250 200");
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    SetCursor(hand);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    const Surface color = *SurfaceOfBitmap(info.hbmColor);
    const Surface mask = *SurfaceOfBitmap(info.hbmMask);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    ShownPointer shown;
    ASSERT_TRUE(PumpUntil([&] {
        shown = PointerOnTheDesktop();
        return shown.width == color.width() && shown.hotX == static_cast<int>(info.xHotspot);
    })) << shown.width
        << "x" << shown.height << " at " << shown.hotX << "," << shown.hotY;
    EXPECT_EQ(shown.height, color.height());
    EXPECT_EQ(shown.hotY, static_cast<int>(info.yHotspot));
    // Opaque where the mask is black, clear where it is white over black.
    for (int y = 0; y < color.height(); ++y) {
        for (int x = 0; x < color.width(); ++x) {
            const bool clear =
                (mask.At(x, y) & 0xFFFFFF) == 0xFFFFFF && (color.At(x, y) & 0xFFFFFF) == 0;
            ASSERT_EQ((shown.At(x, y) >> 24) & 0xFF, clear ? 0u : 0xFFu) << x << "," << y;
        }
    }
    SetCursor(nullptr);
    EXPECT_TRUE(PumpUntil([&] {
        shown = PointerOnTheDesktop();
        return shown.width != color.width() || shown.hotX != static_cast<int>(info.xHotspot);
    }));
}

}  // namespace
}  // namespace platform::testing
