#include "platform/screen/VirtualScreen.h"

#include <algorithm>
#include <cstdint>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/screen/VisibleRegions.h"
#include "platform/screen/WindowFrame.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

RECT Shifted(const RECT& rect, int dx, int dy) {
    return RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

Region Difference(Region area, const Region& taken) {
    for (const RECT& rect : taken.rects()) {
        area.Subtract(rect);
    }
    return area;
}

// A COLOR_xxx + 1 value stands for the system colour's brush, as in a class's hbrBackground.
HBRUSH ResolveBrush(HBRUSH brush) {
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= COLOR_MENUBAR + 1) {
        return GetSysColorBrush(static_cast<int>(value) - 1);
    }
    return brush;
}

void PaintBackground(HWND hwnd, HDC dc, HBRUSH brush) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, ResolveBrush(brush));
}

}  // namespace

VirtualScreen& VirtualScreen::Get() {
    // Never destroyed: DCs and exit handlers may use the surface until the very end.
    static VirtualScreen* screen = new VirtualScreen;
    return *screen;
}

void VirtualScreen::Install() {
    SetScreenSurface(&surface_);
    SetPaintDeviceProvider(
        [](HWND hwnd, const RECT& update) { return Get().PaintDC(hwnd, update); },
        [](HWND, HDC dc) { Get().ReleaseDC(dc); });
    SetBackgroundPainter(PaintBackground);
    SetScreenObserver([](HWND hwnd) { Get().WindowChanged(hwnd); });
    SetScreenDrawnObserver([](const Surface& before) { Get().ScreenDrawn(before); });
    Recompose(nullptr, true);
}

void VirtualScreen::WindowChanged(HWND hwnd) {
    // The window manager's queries may call back into the link, which may report a change of its
    // own; that change is folded into one more pass rather than nested inside this one.
    thread_local bool composing = false;
    thread_local bool changedMeanwhile = false;
    if (composing) {
        changedMeanwhile = true;
        return;
    }
    composing = true;
    bool everything = hwnd == GetDesktopWindow();
    do {
        changedMeanwhile = false;
        Recompose(hwnd, everything);
        everything = false;
    } while (changedMeanwhile);
    composing = false;
    if (ScreenPresenter* presenter = presenter_) {
        presenter->WindowChanged(hwnd);
    }
}

HWND VirtualScreen::ActiveTopLevel() {
    HWND active = GetForegroundWindow();
    return active != nullptr ? GetAncestor(active, GA_ROOT) : nullptr;
}

VirtualScreen::Layout VirtualScreen::MeasureLayout() const {
    Layout layout;
    Region covered;
    for (HWND top : VisibleTopLevelWindows()) {
        const RECT rect = WindowRectOnScreen(top);
        layout.windows.push_back(
            Shown{top, Difference(Region(Region::Overlap(rect, ScreenBounds())), covered)});
        covered.Unite(Region(rect));
    }
    layout.desktop = Difference(Region(ScreenBounds()), covered);
    return layout;
}

void VirtualScreen::FillDesktop(const Region& area) {
    if (area.IsEmpty()) {
        return;
    }
    HDC dc = CreateSurfaceDC(surface_, POINT{0, 0}, area);
    const RECT all = ScreenBounds();
    FillRect(dc, &all, GetSysColorBrush(COLOR_DESKTOP));
    DeleteDC(dc);
    Damaged(area);
}

void VirtualScreen::Damaged(const Region& area) {
    ScreenPresenter* presenter = presenter_;
    if (presenter == nullptr) {
        return;
    }
    const RECT bounds =
        Region::Overlap(area.Box(), RECT{0, 0, surface_.width(), surface_.height()});
    if (!Region::HasNoArea(bounds)) {
        presenter->ScreenDamaged(surface_, bounds);
    }
}

void VirtualScreen::ScreenDrawn(const Surface& before) {
    ScreenPresenter* presenter = presenter_;
    if (presenter == nullptr || before.width() != surface_.width() ||
        before.height() != surface_.height()) {
        return;
    }
    // The changed pixels as rectangles: the runs of each row (short gaps of unchanged pixels
    // joined in), each run continuing the same run of the row above where there is one.
    constexpr int kJoinedGap = 8;
    std::vector<RECT> drawn;
    std::vector<size_t> above;
    std::vector<size_t> here;
    for (int y = 0; y < surface_.height(); ++y) {
        const Pixel* now = surface_.Row(y);
        const Pixel* then = before.Row(y);
        here.clear();
        for (int x = 0; x < surface_.width();) {
            if (((now[x] ^ then[x]) & 0x00FFFFFFu) == 0) {
                ++x;
                continue;
            }
            const int left = x;
            int right = x + 1;
            for (int gap = 0; x < surface_.width() && gap <= kJoinedGap; ++x) {
                if (((now[x] ^ then[x]) & 0x00FFFFFFu) != 0) {
                    right = x + 1;
                    gap = 0;
                } else {
                    ++gap;
                }
            }
            x = right;
            auto same = std::find_if(above.begin(), above.end(), [&](size_t index) {
                return drawn[index].left == left && drawn[index].right == right;
            });
            if (same != above.end()) {
                drawn[*same].bottom = y + 1;
                here.push_back(*same);
            } else {
                here.push_back(drawn.size());
                drawn.push_back(RECT{left, y, right, y + 1});
            }
        }
        std::swap(above, here);
    }
    if (!drawn.empty()) {
        presenter->ScreenDrawn(surface_, drawn);
    }
}

void VirtualScreen::Recompose(HWND changed, bool everything) {
    std::lock_guard lock(mutex_);
    const RECT bounds = ScreenBounds();
    if (everything || surface_.width() != bounds.right || surface_.height() != bounds.bottom) {
        surface_ = Surface(bounds.right, bounds.bottom);
        DisplayMode mode = GetDisplayMode();
        mode.width = bounds.right;
        mode.height = bounds.bottom;
        SetDisplayMode(mode);
        layout_ = Layout{};
        everything = true;
    }
    Layout now = MeasureLayout();
    const HWND active = ActiveTopLevel();
    FillDesktop(Difference(now.desktop, layout_.desktop));
    for (const Shown& shown : now.windows) {
        const auto before = std::find_if(layout_.windows.begin(), layout_.windows.end(),
                                         [&](const Shown& old) { return old.hwnd == shown.hwnd; });
        const Region exposed =
            before == layout_.windows.end() ? shown.area : Difference(shown.area, before->area);
        const bool redrawFrame =
            shown.hwnd == changed || shown.hwnd == active || shown.hwnd == activeFrame_;
        DrawWindowFrame(surface_, shown.hwnd, redrawFrame ? shown.area : exposed,
                        shown.hwnd == active);
        Damaged(redrawFrame ? shown.area : exposed);
        const RECT client = ClientRectOnScreen(shown.hwnd);
        for (const RECT& rect : exposed.rects()) {
            RECT part = Region::Overlap(rect, client);
            if (Region::HasNoArea(part)) {
                continue;
            }
            // The children lost their pixels there too, even those their window clips out of
            // its own paint.
            part = Shifted(part, -client.left, -client.top);
            InvalidateTree(shown.hwnd, &part);
        }
    }
    layout_ = std::move(now);
    activeFrame_ = active;
}

void VirtualScreen::RefreshActiveFrames() {
    const HWND active = ActiveTopLevel();
    std::lock_guard lock(mutex_);
    if (active == activeFrame_) {
        return;
    }
    for (const Shown& shown : layout_.windows) {
        if (shown.hwnd == active || shown.hwnd == activeFrame_) {
            DrawWindowFrame(surface_, shown.hwnd, shown.area, shown.hwnd == active);
            Damaged(shown.area);
        }
    }
    activeFrame_ = active;
}

HDC VirtualScreen::PaintDC(HWND hwnd, const RECT& update) {
    // Only top-level frames are drawn when the screen is composed; a child's border, edges and
    // scroll bars are drawn each time it paints, since its parent may have painted over them.
    if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) {
        const Region frame = VisibleWindowArea(hwnd);
        DrawWindowFrame(surface_, hwnd, frame, false);
        Damaged(frame);
    }
    Region area = VisibleClientArea(hwnd);
    const RECT client = ClientRectOnScreen(hwnd);
    area.Intersect(Region(Shifted(update, client.left, client.top)));
    return CreateSurfaceDC(surface_, POINT{client.left, client.top}, area);
}

HDC VirtualScreen::ClientDC(HWND hwnd) {
    const RECT client = ClientRectOnScreen(hwnd);
    return CreateSurfaceDC(surface_, POINT{client.left, client.top}, VisibleClientArea(hwnd));
}

HDC VirtualScreen::WindowDC(HWND hwnd) {
    const RECT window = WindowRectOnScreen(hwnd);
    return CreateSurfaceDC(surface_, POINT{window.left, window.top}, VisibleWindowArea(hwnd));
}

HDC VirtualScreen::ScreenDC() {
    return CreateScreenDC(surface_);
}

bool VirtualScreen::ReleaseDC(HDC dc) {
    if (DeviceContext* context = FindDeviceContext(dc);
        context != nullptr && context->target() == &surface_) {
        Damaged(context->ClipInSurface());
    }
    return DeleteDC(dc) != FALSE;
}

}  // namespace platform
