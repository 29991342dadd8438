#include "platform/controls/ScrollBarSync.h"

#include <algorithm>

#include "platform/controls/ScrollInfo.h"
#include "platform/windows/WindowApi.h"

namespace platform {
namespace {

// A vertical bar that appears can make a horizontal one necessary, which shortens the page of
// the vertical one: three rounds settle every case.
constexpr int kMaxRounds = 3;

DWORD BarStyles(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & (WS_HSCROLL | WS_VSCROLL);
}

// Sets one bar unless it already shows these values.
void Publish(HWND hwnd, int bar, ScrollBarValues values, UINT flags) {
    // What SetScrollInfo would keep of these values, to tell whether anything changes.
    values.max = std::max(0, values.max);
    values.page = std::clamp(values.page, 0, values.max + 1);
    values.pos = std::clamp(values.pos, 0, std::max(0, values.max - std::max(values.page - 1, 0)));
    SCROLLINFO current{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (GetScrollInfo(hwnd, bar, &current) && current.nMin == 0 && current.nMax == values.max &&
        current.nPage == static_cast<UINT>(values.page) && current.nPos == values.pos) {
        return;
    }
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS | flags,
                    0,
                    values.max,
                    static_cast<UINT>(values.page),
                    values.pos,
                    0};
    SetScrollInfo(hwnd, bar, &info, TRUE);
}

}  // namespace

void ScrollBarSync::Update(HWND hwnd, const Values& values, UINT flags) {
    if (running_ || !IsWindow(hwnd)) {
        return;
    }
    running_ = true;
    for (int round = 0; round < kMaxRounds; ++round) {
        const DWORD before = BarStyles(hwnd);
        for (int bar : {SB_VERT, SB_HORZ}) {
            if (const std::optional<ScrollBarValues> wanted = values(bar)) {
                Publish(hwnd, bar, *wanted, flags);
            }
        }
        if (!IsWindow(hwnd) || BarStyles(hwnd) == before) {
            break;
        }
    }
    running_ = false;
}

}  // namespace platform
