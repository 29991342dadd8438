#include "platform/controls/Progress.h"

#include <algorithm>

#include "platform/controls/CommonControls.h"
#include "platform/controls/ControlWindow.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

constexpr int kBlockGap = 2;

struct ProgressControl {
    explicit ProgressControl(HWND window) : hwnd(window) {}
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd;
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    COLORREF bar = CLR_DEFAULT;
    COLORREF background = CLR_DEFAULT;

    void SetPos(int value) { pos = std::clamp(value, low, std::max(low, high)); }
};

LRESULT PackedRange(const ProgressControl& state) {
    return static_cast<LRESULT>(
        MAKELONG(static_cast<WORD>(state.low), static_cast<WORD>(state.high)));
}

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Paint(HWND hwnd, const ProgressControl& state) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd, &client);
        Fill(dc, client,
             state.background == CLR_DEFAULT ? GetSysColor(COLOR_BTNFACE) : state.background);
        const COLORREF bar = state.bar == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : state.bar;
        const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        const bool vertical = (style & PBS_VERTICAL) != 0;
        const RECT inner{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
        // The thin sunken well the bar grows in.
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
        Fill(dc, RECT{client.left, client.top, client.right, inner.top}, shadow);
        Fill(dc, RECT{client.left, inner.top, inner.left, client.bottom}, shadow);
        Fill(dc, RECT{inner.left, inner.bottom, client.right, client.bottom}, light);
        Fill(dc, RECT{inner.right, inner.top, client.right, inner.bottom}, light);
        const int length = vertical ? inner.bottom - inner.top : inner.right - inner.left;
        const int thickness = vertical ? inner.right - inner.left : inner.bottom - inner.top;
        const long long span = static_cast<long long>(state.high) - state.low;
        const int filled =
            span > 0
                ? static_cast<int>(length * (static_cast<long long>(state.pos) - state.low) / span)
                : 0;
        // The part [from, to) along the bar, from the left (or the bottom).
        auto part = [&](int from, int to) {
            to = std::min(to, length);
            return vertical ? RECT{inner.left, inner.bottom - to, inner.right, inner.bottom - from}
                            : RECT{inner.left + from, inner.top, inner.left + to, inner.bottom};
        };
        if (style & PBS_SMOOTH) {
            if (filled > 0) {
                Fill(dc, part(0, filled), bar);
            }
        } else {
            const int block = std::max(1, thickness * 2 / 3);
            for (int from = 0; from < filled; from += block + kBlockGap) {
                Fill(dc, part(from, from + block), bar);
            }
        }
    }
    EndPaint(hwnd, &paint);
}

LRESULT Dispatch(HWND hwnd, ProgressControl& state, UINT message, WPARAM wParam, LPARAM lParam) {
    auto changed = [hwnd](int before, int after) {
        if (before != after) {
            InvalidateRect(hwnd, nullptr, TRUE);
        }
    };
    switch (message) {
        case PBM_SETRANGE:
        case PBM_SETRANGE32: {
            const LRESULT previous = PackedRange(state);
            if (message == PBM_SETRANGE) {
                state.low = LOWORD(lParam);
                state.high = HIWORD(lParam);
            } else {
                state.low = static_cast<int>(wParam);
                state.high = static_cast<int>(lParam);
            }
            state.SetPos(state.pos);
            InvalidateRect(hwnd, nullptr, TRUE);
            return previous;
        }
        case PBM_GETRANGE: {
            if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) {
                range->iLow = state.low;
                range->iHigh = state.high;
            }
            return wParam ? state.low : state.high;
        }
        case PBM_SETPOS: {
            const int previous = state.pos;
            state.SetPos(static_cast<int>(wParam));
            changed(previous, state.pos);
            return previous;
        }
        case PBM_DELTAPOS: {
            const int previous = state.pos;
            state.SetPos(previous + static_cast<int>(wParam));
            changed(previous, state.pos);
            return previous;
        }
        case PBM_GETPOS:
            return state.pos;
        case PBM_SETSTEP: {
            const int previous = state.step;
            state.step = static_cast<int>(wParam);
            return previous;
        }
        case PBM_STEPIT: {
            const int previous = state.pos;
            const long long span = static_cast<long long>(state.high) - state.low;
            long long next = static_cast<long long>(previous) + state.step;
            // Stepping past either end starts over from the other.
            if (span > 0 && (next > state.high || next < state.low)) {
                next = state.low + (((next - state.low) % span) + span) % span;
            }
            state.SetPos(static_cast<int>(next));
            changed(previous, state.pos);
            return previous;
        }
        case PBM_SETBARCOLOR: {
            const COLORREF previous = state.bar;
            state.bar = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return static_cast<LRESULT>(previous);
        }
        case PBM_SETBKCOLOR: {
            const COLORREF previous = state.background;
            state.background = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return static_cast<LRESULT>(previous);
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(hwnd, state);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT ProgressControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(hwnd, *this, message, wParam, lParam);
}

}  // namespace

void RegisterProgressClass() {
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        PROGRESS_CLASSA, ControlProcedure<ProgressControl>, CS_HREDRAW | CS_VREDRAW);
}

}  // namespace platform
