#include "platform/screen/WindowFrame.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ScreenApi.h"
#include "platform/screen/VisibleRegions.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

std::mutex scroll_painter_mutex;
std::function<void(HWND, HDC)> scroll_painter;

struct FrameShape {
    int border = 0;
    int caption = 0;
};

FrameShape ShapeOf(HWND hwnd) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    const RECT insets =
        FrameInsets(style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL),
                    exStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false);
    return FrameShape{insets.left, insets.top - insets.left};
}

HFONT CaptionFont() {
    static HFONT font =
        CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    return font;
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
    RECT rect{x0, y0, x1, y1};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void RaisedEdges(HDC dc, int width, int height) {
    Line(dc, 0, 0, width, 1, GetSysColor(COLOR_3DLIGHT));
    Line(dc, 0, 0, 1, height, GetSysColor(COLOR_3DLIGHT));
    Line(dc, 0, height - 1, width, height, GetSysColor(COLOR_3DDKSHADOW));
    Line(dc, width - 1, 0, width, height, GetSysColor(COLOR_3DDKSHADOW));
    Line(dc, 1, 1, width - 1, 2, GetSysColor(COLOR_BTNHIGHLIGHT));
    Line(dc, 1, 1, 2, height - 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    Line(dc, 1, height - 2, width - 1, height - 1, GetSysColor(COLOR_BTNSHADOW));
    Line(dc, width - 2, 1, width - 1, height - 1, GetSysColor(COLOR_BTNSHADOW));
}

// WS_EX_CLIENTEDGE: two sunken lines around the client area, shadow outside, dark shadow inside.
void SunkenClientEdge(HDC dc, HWND hwnd, const RECT& window) {
    if ((GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0) {
        return;
    }
    const RECT client = ClientRectOnScreen(hwnd);
    // The window's own scroll bars lie inside the edge.
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const int bars = (style & WS_VSCROLL) ? kScrollBarWidth : 0;
    const int barsBelow = (style & WS_HSCROLL) ? kScrollBarWidth : 0;
    const int left = client.left - window.left - kEdgeWidth;
    const int top = client.top - window.top - kEdgeWidth;
    const int right = client.right - window.left + bars + kEdgeWidth;
    const int bottom = client.bottom - window.top + barsBelow + kEdgeWidth;
    Line(dc, left, top, right, top + 1, GetSysColor(COLOR_BTNSHADOW));
    Line(dc, left, top, left + 1, bottom, GetSysColor(COLOR_BTNSHADOW));
    Line(dc, left, bottom - 1, right, bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
    Line(dc, right - 1, top, right, bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
    Line(dc, left + 1, top + 1, right - 1, top + 2, GetSysColor(COLOR_3DDKSHADOW));
    Line(dc, left + 1, top + 1, left + 2, bottom - 1, GetSysColor(COLOR_3DDKSHADOW));
    Line(dc, left + 1, bottom - 2, right - 1, bottom - 1, GetSysColor(COLOR_3DLIGHT));
    Line(dc, right - 2, top + 1, right - 1, bottom - 1, GetSysColor(COLOR_3DLIGHT));
}

TRIVERTEX Vertex(int x, int y, COLORREF color) {
    return TRIVERTEX{x,
                     y,
                     static_cast<COLOR16>(GetRValue(color) << 8),
                     static_cast<COLOR16>(GetGValue(color) << 8),
                     static_cast<COLOR16>(GetBValue(color) << 8),
                     0};
}

// Read directly, like the system's own frame drawing: asking the window with WM_GETTEXT could wait
// on another thread while the screen is busy.
std::string TitleOf(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    return window != nullptr ? window->text : std::string();
}

bool Closable(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    return window != nullptr && (window->windowClass->style & CS_NOCLOSE) == 0;
}

void ButtonFace(HDC dc, const RECT& box) {
    Line(dc, box.left, box.top, box.right, box.bottom, GetSysColor(COLOR_BTNFACE));
    Line(dc, box.left, box.top, box.right, box.top + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    Line(dc, box.left, box.top, box.left + 1, box.bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
    Line(dc, box.left, box.bottom - 1, box.right, box.bottom, GetSysColor(COLOR_3DDKSHADOW));
    Line(dc, box.right - 1, box.top, box.right, box.bottom, GetSysColor(COLOR_3DDKSHADOW));
    Line(dc, box.left + 1, box.bottom - 2, box.right - 1, box.bottom - 1,
         GetSysColor(COLOR_BTNSHADOW));
    Line(dc, box.right - 2, box.top + 1, box.right - 1, box.bottom - 1,
         GetSysColor(COLOR_BTNSHADOW));
}

// A raised button face with a cross, grey when the window's class forbids closing.
void CloseBox(HDC dc, HWND hwnd, const RECT& box) {
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    ButtonFace(dc, box);
    const bool closable = Closable(hwnd);
    const COLORREF ink = GetSysColor(closable ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    // Two strokes, each two pixels wide, across a square of side `size` centred on the face.
    const int size = std::max(2, height - 7);
    const int left = box.left + (width - size - 1) / 2;
    const int top = box.top + (height - size) / 2;
    for (int step = 0; step < size; ++step) {
        Line(dc, left + step, top + step, left + step + 2, top + step + 1, ink);
        Line(dc, left + size - 1 - step, top + step, left + size + 1 - step, top + step + 1, ink);
    }
}

// An outlined window glyph with a thicker top edge, as the maximise and restore boxes show.
void WindowGlyph(HDC dc, int left, int top, int width, int height, COLORREF ink) {
    Line(dc, left, top, left + width, top + 2, ink);
    Line(dc, left, top, left + 1, top + height, ink);
    Line(dc, left + width - 1, top, left + width, top + height, ink);
    Line(dc, left, top + height - 1, left + width, top + height, ink);
}

// The minimise box (a bar at the bottom) and the maximise box (a window, or two overlapping
// windows while maximised); a box whose style is off is grey.
void SizeBoxes(HDC dc, HWND hwnd, const RECT& bar) {
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const RECT minimize = MinimizeBoxRect(bar);
    const RECT maximize = MaximizeBoxRect(bar);
    ButtonFace(dc, minimize);
    ButtonFace(dc, maximize);
    const int height = maximize.bottom - maximize.top;
    const int size = std::max(4, height - 6);
    const COLORREF minimizeInk =
        GetSysColor((style & WS_MINIMIZEBOX) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const int barLeft = minimize.left + (minimize.right - minimize.left - size) / 2;
    Line(dc, barLeft, minimize.bottom - 5, barLeft + size - 2, minimize.bottom - 3, minimizeInk);
    const COLORREF maximizeInk =
        GetSysColor((style & WS_MAXIMIZEBOX) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const int left = maximize.left + (maximize.right - maximize.left - size) / 2;
    const int top = maximize.top + (height - size) / 2;
    if (style & WS_MAXIMIZE) {
        const int small = size - 3;
        WindowGlyph(dc, left + 3, top, small, small, maximizeInk);
        const RECT front{left, top + 3, left + small, top + 3 + small};
        FillRect(dc, &front, GetSysColorBrush(COLOR_BTNFACE));
        WindowGlyph(dc, left, top + 3, small, small, maximizeInk);
    } else {
        WindowGlyph(dc, left, top, size, size, maximizeInk);
    }
}

void Caption(HDC dc, HWND hwnd, const RECT& bar, bool active) {
    TRIVERTEX vertices[2] = {
        Vertex(bar.left, bar.top,
               GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)),
        Vertex(bar.right, bar.bottom,
               GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION))};
    GRADIENT_RECT mesh{0, 1};
    GradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H);

    const std::string text = TitleOf(hwnd);
    RECT textRect{bar.left + 3, bar.top, bar.right - 3, bar.bottom};
    if (GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU) {
        const RECT box = CloseBoxRect(bar);
        CloseBox(dc, hwnd, box);
        textRect.right = box.left - 2;
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if (HasSizeBoxes(style, GetWindowLongA(hwnd, GWL_EXSTYLE))) {
            SizeBoxes(dc, hwnd, bar);
            textRect.right = MinimizeBoxRect(bar).left - 2;
        }
    }
    HGDIOBJ oldFont = SelectObject(dc, CaptionFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
}

std::mutex menu_bar_mutex;
std::function<void(HDC, HWND)> menu_bar_painter;

std::function<void(HDC, HWND)> MenuBarPainter() {
    std::lock_guard lock(menu_bar_mutex);
    return menu_bar_painter;
}

}  // namespace

void SetScrollBarPainter(std::function<void(HWND, HDC)> painter) {
    std::lock_guard lock(scroll_painter_mutex);
    scroll_painter = std::move(painter);
}

void SetMenuBarPainter(std::function<void(HDC, HWND)> painter) {
    std::lock_guard lock(menu_bar_mutex);
    menu_bar_painter = std::move(painter);
}

RECT CaptionRectOnScreen(HWND hwnd) {
    const FrameShape shape = ShapeOf(hwnd);
    if (shape.caption <= 0) {
        return RECT{};
    }
    const RECT window = WindowRectOnScreen(hwnd);
    return RECT{window.left + shape.border, window.top + shape.border, window.right - shape.border,
                window.top + shape.border + shape.caption - 1};
}

void DrawWindowFrame(Surface& screen, HWND hwnd, const Region& clip, bool active) {
    const FrameShape shape = ShapeOf(hwnd);
    const bool scrollBars = (GetWindowLongA(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
    const bool clientEdge = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
    if (shape.border <= 0 && shape.caption <= 0 && !scrollBars && !clientEdge) {
        return;
    }
    const RECT window = WindowRectOnScreen(hwnd);
    Region area = clip;
    area.Intersect(Region(window));
    area.Subtract(ClientRectOnScreen(hwnd));
    if (area.IsEmpty()) {
        return;
    }
    HDC dc = CreateSurfaceDC(screen, POINT{window.left, window.top}, area);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (shape.border == 1) {
        FrameRect(dc, &all, GetSysColorBrush(COLOR_WINDOWFRAME));
    } else if (shape.border > 1) {
        RaisedEdges(dc, width, height);
    }
    SunkenClientEdge(dc, hwnd, window);
    if (shape.caption > 0) {
        const RECT bar{shape.border, shape.border, width - shape.border,
                       shape.border + shape.caption - 1};
        Caption(dc, hwnd, bar, active);
    }
    if (scrollBars) {
        std::function<void(HWND, HDC)> painter;
        {
            std::lock_guard lock(scroll_painter_mutex);
            painter = scroll_painter;
        }
        if (painter) {
            painter(hwnd, dc);
        }
    }
    if (auto painter = MenuBarPainter(); painter && GetMenu(hwnd) != nullptr) {
        painter(dc, hwnd);
    }
    DeleteDC(dc);
}

}  // namespace platform
