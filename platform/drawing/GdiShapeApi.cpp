// Lines, shapes, fills and single pixels.
//
// Pens of width 1 follow the system's pixel rules exactly: a line leaves out its end point and
// a Rectangle's outline lies on its first and last rows and columns. Wider pens draw their
// outlines inside the shape (as PS_INSIDEFRAME does) and their lines as squares along the path;
// styled pens are dashed only at width 1, as on the original system.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <span>
#include <vector>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/DrawingSeams.h"

using namespace platform;

namespace {

constexpr unsigned kPatCopy = 0xF0;
constexpr unsigned kDstInvert = 0x55;

struct Painter {
    DeviceContext& dc;
    Region clip;
    unsigned rop3;
    const PenObject* pen;
    const BrushObject* brush;
    // Where the dash pattern stands, carried from one segment of a polyline to the next.
    int stylePosition = 0;

    explicit Painter(DeviceContext& context)
        : dc(context),
          clip(context.ClipInSurface()),
          rop3(Rop3FromRop2(context.state().rop2)),
          pen(FindPen(context.state().pen)),
          brush(FindBrush(context.state().brush)) {}

    bool HasPen() const { return pen != nullptr && pen->style != PS_NULL; }
    bool HasBrush() const { return brush != nullptr && brush->style != BS_NULL; }
    int PenWidth() const { return HasPen() ? std::max(pen->width, 1) : 0; }

    // The dash lengths of a cosmetic style (on, off, on, off ...); empty for solid.
    std::span<const int> Dashes() const {
        static constexpr int kDash[] = {18, 6};
        static constexpr int kDot[] = {3, 3};
        static constexpr int kDashDot[] = {9, 6, 3, 6};
        static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
        if (!HasPen() || pen->width > 1) {
            return {};
        }
        switch (pen->style) {
            case PS_DASH:
                return kDash;
            case PS_DOT:
                return kDot;
            case PS_DASHDOT:
                return kDashDot;
            case PS_DASHDOTDOT:
                return kDashDotDot;
            default:
                return {};
        }
    }

    // Whether the dash pattern is "on" at `position`.
    bool DashOn(std::span<const int> dashes, int position) const {
        int period = 0;
        for (int length : dashes) {
            period += length;
        }
        int at = position % period;
        for (size_t i = 0; i < dashes.size(); ++i) {
            if (at < dashes[i]) {
                return i % 2 == 0;
            }
            at -= dashes[i];
        }
        return true;
    }

    void PenPixel(int x, int y) {
        Pixel color = PixelFromColor(pen->color);
        std::span<const int> dashes = Dashes();
        if (!dashes.empty()) {
            bool on = DashOn(dashes, stylePosition++);
            if (!on) {
                if (dc.state().bkMode == OPAQUE) {
                    dc.Plot(clip, x, y, PixelFromColor(dc.state().bkColor), 0, rop3);
                }
                return;
            }
        }
        int width = PenWidth();
        if (width <= 1) {
            dc.Plot(clip, x, y, color, 0, rop3);
            return;
        }
        int from = -(width / 2);
        for (int dy = from; dy < from + width; ++dy) {
            dc.Span(clip, y + dy, x + from, x + from + width, color, rop3);
        }
    }

    // A line in surface coordinates without its end point.
    void Line(int x0, int y0, int x1, int y1) {
        int dx = std::abs(x1 - x0);
        int dy = -std::abs(y1 - y0);
        int step_x = x0 < x1 ? 1 : -1;
        int step_y = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        int x = x0;
        int y = y0;
        while (x != x1 || y != y1) {
            PenPixel(x, y);
            int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += step_x;
            }
            if (twice <= dx) {
                error += dx;
                y += step_y;
            }
        }
    }

    void FillSpan(int y, int x0, int x1) {
        if (HasBrush() && x0 < x1) {
            dc.BrushSpan(clip, y, x0, x1, *brush, rop3);
        }
    }

    // Fills and outlines a shape given by which pixels of its box lie inside it. `inside(x, y,
    // inset)` answers for the shape shrunk by `inset` pixels on every side.
    void Shape(RECT box, const std::function<bool(int, int, int)>& inside) {
        int width = PenWidth();
        if (width == 0) {
            // Without a pen the filled shape is one pixel smaller at the right and bottom.
            --box.right;
            --box.bottom;
        }
        for (int y = box.top; y < box.bottom; ++y) {
            int run_start = box.left;
            bool run_is_fill = false;
            bool in_run = false;
            for (int x = box.left; x <= box.right; ++x) {
                bool outer = x < box.right && inside(x, y, 0);
                bool fill = outer && (width == 0 || inside(x, y, width));
                if (in_run && (!outer || fill != run_is_fill)) {
                    if (run_is_fill) {
                        FillSpan(y, run_start, x);
                    } else {
                        dc.Span(clip, y, run_start, x, PixelFromColor(pen->color), rop3);
                    }
                    in_run = false;
                }
                if (outer && !in_run) {
                    in_run = true;
                    run_start = x;
                    run_is_fill = fill;
                }
            }
        }
    }
};

RECT Normalized(DeviceContext& dc, int left, int top, int right, int bottom) {
    POINT a = dc.ToSurface(left, top);
    POINT b = dc.ToSurface(right, bottom);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Whether the centre of pixel (x, y) lies in the ellipse inscribed in the box.
bool InEllipse(double left, double top, double right, double bottom, int x, int y) {
    double rx = (right - left) / 2;
    double ry = (bottom - top) / 2;
    if (rx <= 0 || ry <= 0) {
        return false;
    }
    double nx = (x + 0.5 - (left + right) / 2) / rx;
    double ny = (y + 0.5 - (top + bottom) / 2) / ry;
    return nx * nx + ny * ny <= 1.0;
}

bool InRoundRect(const RECT& box, int corner_width, int corner_height, int inset, int x, int y) {
    double left = box.left + inset;
    double top = box.top + inset;
    double right = box.right - inset;
    double bottom = box.bottom - inset;
    if (x < left || x >= right || y < top || y >= bottom) {
        return false;
    }
    double cw = std::max(0, std::min<int>(corner_width, box.right - box.left) - 2 * inset);
    double ch = std::max(0, std::min<int>(corner_height, box.bottom - box.top) - 2 * inset);
    if (cw <= 0 || ch <= 0) {
        return true;
    }
    double cx = x + 0.5;
    double cy = y + 0.5;
    double corner_left = cx < left + cw / 2 ? left : (cx > right - cw / 2 ? right - cw : -1);
    double corner_top = cy < top + ch / 2 ? top : (cy > bottom - ch / 2 ? bottom - ch : -1);
    if (corner_left < 0 || corner_top < 0) {
        return true;
    }
    return InEllipse(corner_left, corner_top, corner_left + cw, corner_top + ch, x, y);
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = FindDeviceContext(hdc);
    BrushObject* object = FindBrush(brush);
    if (dc == nullptr || rect == nullptr || object == nullptr) {
        return 0;
    }
    Region clip = dc->ClipInSurface();
    POINT from = dc->ToSurface(rect->left, rect->top);
    POINT to = dc->ToSurface(rect->right, rect->bottom);
    for (int y = from.y; y < to.y; ++y) {
        dc->BrushSpan(clip, y, from.x, to.x, *object, kPatCopy);
    }
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top) {
        return 0;
    }
    const RECT& r = *rect;
    RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                    {r.left, r.bottom - 1, r.right, r.bottom},
                    {r.left, r.top + 1, r.left + 1, r.bottom - 1},
                    {r.right - 1, r.top + 1, r.right, r.bottom - 1}};
    int result = 1;
    for (const RECT& side : sides) {
        result = FillRect(hdc, &side, brush) != 0 ? result : 0;
    }
    return result;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return FALSE;
    }
    Region clip = dc->ClipInSurface();
    POINT from = dc->ToSurface(rect->left, rect->top);
    POINT to = dc->ToSurface(rect->right, rect->bottom);
    for (int y = from.y; y < to.y; ++y) {
        dc->Span(clip, y, from.x, to.x, 0, kDstInvert);
    }
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    Painter painter(*dc);
    RECT box = Normalized(*dc, left, top, right, bottom);
    if (painter.PenWidth() == 1 && !painter.Dashes().empty()) {
        for (int y = box.top + 1; y < box.bottom - 1; ++y) {
            painter.FillSpan(y, box.left + 1, box.right - 1);
        }
        painter.Line(box.left, box.top, box.right - 1, box.top);
        painter.Line(box.right - 1, box.top, box.right - 1, box.bottom - 1);
        painter.Line(box.right - 1, box.bottom - 1, box.left, box.bottom - 1);
        painter.Line(box.left, box.bottom - 1, box.left, box.top);
        return TRUE;
    }
    painter.Shape(box, [&](int x, int y, int inset) {
        return x >= box.left + inset && x < box.right - inset && y >= box.top + inset &&
               y < box.bottom - inset;
    });
    return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    Painter painter(*dc);
    RECT box = Normalized(*dc, left, top, right, bottom);
    if (painter.PenWidth() == 0) {
        --box.right;
        --box.bottom;
    }
    RECT shape = box;
    painter.Shape(box, [&](int x, int y, int inset) {
        return InRoundRect(shape, std::abs(width), std::abs(height), inset, x, y);
    });
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    Painter painter(*dc);
    RECT box = Normalized(*dc, left, top, right, bottom);
    if (painter.PenWidth() == 0) {
        --box.right;
        --box.bottom;
    }
    RECT shape = box;
    painter.Shape(box, [&](int x, int y, int inset) {
        return InEllipse(shape.left + inset, shape.top + inset, shape.right - inset,
                         shape.bottom - inset, x, y);
    });
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || points == nullptr || count < 2) {
        return FALSE;
    }
    Painter painter(*dc);
    std::vector<POINT> vertices;
    vertices.reserve(count);
    for (int i = 0; i < count; ++i) {
        vertices.push_back(dc->ToSurface(points[i].x, points[i].y));
    }
    if (painter.HasBrush()) {
        int top = vertices[0].y;
        int bottom = vertices[0].y;
        for (const POINT& p : vertices) {
            top = std::min<int>(top, p.y);
            bottom = std::max<int>(bottom, p.y);
        }
        bool winding = dc->state().polyFillMode == WINDING;
        for (int y = top; y < bottom; ++y) {
            double sample_y = y + 0.5;
            std::vector<std::pair<double, int>> crossings;
            for (int i = 0; i < count; ++i) {
                const POINT& a = vertices[i];
                const POINT& b = vertices[(i + 1) % count];
                if ((a.y <= sample_y) == (b.y <= sample_y)) {
                    continue;
                }
                double x = a.x + (sample_y - a.y) * (b.x - a.x) / double(b.y - a.y);
                crossings.emplace_back(x, b.y > a.y ? 1 : -1);
            }
            std::sort(crossings.begin(), crossings.end());
            int wind = 0;
            for (size_t i = 0; i + 1 < crossings.size(); ++i) {
                wind = winding ? wind + crossings[i].second : wind ^ 1;
                if (wind != 0) {
                    // Pixels whose centres lie between the two crossings.
                    int from = static_cast<int>(std::ceil(crossings[i].first - 0.5));
                    int to = static_cast<int>(std::ceil(crossings[i + 1].first - 0.5));
                    painter.FillSpan(y, from, to);
                }
            }
        }
    }
    if (painter.HasPen()) {
        for (int i = 0; i < count; ++i) {
            const POINT& a = vertices[i];
            const POINT& b = vertices[(i + 1) % count];
            painter.Line(a.x, a.y, b.x, b.y);
        }
    }
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || points == nullptr || count < 2) {
        return FALSE;
    }
    Painter painter(*dc);
    if (!painter.HasPen()) {
        return TRUE;
    }
    for (int i = 0; i + 1 < count; ++i) {
        POINT a = dc->ToSurface(points[i].x, points[i].y);
        POINT b = dc->ToSurface(points[i + 1].x, points[i + 1].y);
        painter.Line(a.x, a.y, b.x, b.y);
    }
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->state().position;
    }
    dc->state().position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    Painter painter(*dc);
    if (painter.HasPen()) {
        POINT a = dc->ToSurface(dc->state().position.x, dc->state().position.y);
        POINT b = dc->ToSurface(x, y);
        painter.Line(a.x, a.y, b.x, b.y);
    }
    dc->state().position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || position == nullptr) {
        return FALSE;
    }
    *position = dc->state().position;
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    Region clip = dc->ClipInSurface();
    POINT at = dc->ToSurface(x, y);
    if (!clip.Contains(at.x, at.y)) {
        return CLR_INVALID;
    }
    Pixel stored = dc->StoreFormat(PixelFromColor(color));
    dc->target()->Set(at.x, at.y, stored);
    return ColorFromPixel(stored);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    Region clip = dc->ClipInSurface();
    POINT at = dc->ToSurface(x, y);
    if (!clip.Contains(at.x, at.y)) {
        return CLR_INVALID;
    }
    return ColorFromPixel(dc->target()->At(at.x, at.y));
}

BOOL GradientFill(HDC hdc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount,
                  ULONG mode) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || vertices == nullptr || mesh == nullptr ||
        (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V)) {
        return FALSE;
    }
    Region clip = dc->ClipInSurface();
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < meshCount; ++i) {
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) {
            return FALSE;
        }
        TRIVERTEX a = vertices[rects[i].UpperLeft];
        TRIVERTEX b = vertices[rects[i].LowerRight];
        bool horizontal = mode == GRADIENT_FILL_RECT_H;
        // The colours run from the left (or top) vertex, whichever order they were given in.
        if (horizontal ? a.x > b.x : a.y > b.y) {
            std::swap(a, b);
        }
        if (a.x > b.x) {
            std::swap(a.x, b.x);
        }
        if (a.y > b.y) {
            std::swap(a.y, b.y);
        }
        int steps = horizontal ? b.x - a.x : b.y - a.y;
        auto channel = [steps](COLOR16 from, COLOR16 to, int step) {
            int start = from >> 8;
            int end = to >> 8;
            return steps <= 1 ? start : start + (end - start) * step / (steps - 1);
        };
        for (int y = a.y; y < b.y; ++y) {
            for (int x = a.x; x < b.x; ++x) {
                int step = horizontal ? x - a.x : y - a.y;
                COLORREF color = RGB(channel(a.Red, b.Red, step), channel(a.Green, b.Green, step),
                                     channel(a.Blue, b.Blue, step));
                POINT at = dc->ToSurface(x, y);
                dc->Plot(clip, at.x, at.y, PixelFromColor(color), 0, kPatCopy);
            }
        }
    }
    return TRUE;
}
