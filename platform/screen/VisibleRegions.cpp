#include "platform/screen/VisibleRegions.h"

namespace platform {

namespace {

void SubtractChildren(HWND hwnd, Region& region) {
    if ((GetWindowLongA(hwnd, GWL_STYLE) & WS_CLIPCHILDREN) == 0) {
        return;
    }
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            region.Subtract(WindowRectOnScreen(child));
        }
    }
}

}  // namespace

RECT ScreenBounds() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT WindowRectOnScreen(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return RECT{origin.x, origin.y, origin.x + rect.right, origin.y + rect.bottom};
}

bool ComposedElsewhere(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

Region VisibleArea(HWND hwnd, const RECT& area) {
    if (!IsWindowVisible(hwnd)) {
        return Region();
    }
    Region region(Region::Overlap(area, ScreenBounds()));
    HWND window = hwnd;
    while (!region.IsEmpty()) {
        // Top-level windows always clip each other; a child only with WS_CLIPSIBLINGS, so that the
        // controls inside a group box created before them still show.
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        if ((style & WS_CHILD) == 0 || (style & WS_CLIPSIBLINGS) != 0) {
            for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr;
                 above = GetWindow(above, GW_HWNDPREV)) {
                if (IsWindowVisible(above) && !ComposedElsewhere(above)) {
                    region.Subtract(WindowRectOnScreen(above));
                }
            }
        }
        if ((style & WS_CHILD) == 0) {
            break;
        }
        HWND parent = GetParent(window);
        if (parent == nullptr || parent == GetDesktopWindow()) {
            break;
        }
        region.Intersect(Region(ClientRectOnScreen(parent)));
        window = parent;
    }
    return region;
}

Region VisibleClientArea(HWND hwnd) {
    Region region = VisibleArea(hwnd, ClientRectOnScreen(hwnd));
    SubtractChildren(hwnd, region);
    return region;
}

Region VisibleWindowArea(HWND hwnd) {
    Region region = VisibleArea(hwnd, WindowRectOnScreen(hwnd));
    SubtractChildren(hwnd, region);
    return region;
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    for (HWND top = GetWindow(GetDesktopWindow(), GW_CHILD); top != nullptr;
         top = GetWindow(top, GW_HWNDNEXT)) {
        if (IsWindowVisible(top) && !ComposedElsewhere(top)) {
            windows.push_back(top);
        }
    }
    return windows;
}

}  // namespace platform
