#include "platform/controls/StatusBarControl.h"

#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kMaxParts = 256;

}  // namespace

int StatusBarControl::Height() const {
    return std::max(LineHeight(font_) + 3, minHeight_) + 2 * kBorderY;
}

// The bar lies along the bottom of its parent (the top with CCS_TOP) across its whole width.
void StatusBarControl::Reposition() {
    const DWORD style = Style();
    if ((style & (CCS_NORESIZE | CCS_NOPARENTALIGN)) != 0) {
        return;
    }
    HWND parent = GetParent(hwnd_);
    RECT area{};
    if (parent == nullptr || !GetClientRect(parent, &area)) {
        return;
    }
    const int height = Height();
    const int y = (style & CCS_BOTTOM) == CCS_TOP ? 0 : area.bottom - height;
    RECT now{};
    GetWindowRect(hwnd_, &now);
    POINT origin{now.left, now.top};
    ScreenToClient(parent, &origin);
    if (origin.x != 0 || origin.y != y || now.right - now.left != area.right ||
        now.bottom - now.top != height) {
        SetWindowPos(hwnd_, nullptr, 0, y, area.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool StatusBarControl::PartRect(int index, RECT* rect) const {
    if (rect == nullptr || index < 0 || index >= Count()) {
        return false;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    auto right = [&](int i) {
        const int edge = edges_[static_cast<size_t>(i)];
        return edge < 0 ? static_cast<int>(client.right) : std::min<int>(edge, client.right);
    };
    const int left = index == 0 ? kBorderX : right(index - 1) + kBetween;
    *rect = RECT{left, kBorderY, std::max(left, right(index)), client.bottom};
    return true;
}

void StatusBarControl::Invalidate(int index) {
    RECT rect{};
    if (!simple_ && PartRect(index, &rect)) {
        InvalidateRect(hwnd_, &rect, TRUE);
    } else {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

LRESULT StatusBarControl::SetText(WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam & 0xFF);
    Part* part = PartAt(index);
    if (part == nullptr) {
        return FALSE;
    }
    part->type = static_cast<UINT>(wParam & 0xFF00);
    if ((part->type & SBT_OWNERDRAW) != 0) {
        part->text.clear();
        part->value = lParam;
    } else {
        part->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        part->value = 0;
    }
    Invalidate(index);
    return TRUE;
}

// What SB_GETTEXT and SB_GETTEXTLENGTH answer: the length and the drawing type, or an owner-drawn
// part's value.
LRESULT StatusBarControl::TextResult(const Part& part) const {
    if ((part.type & SBT_OWNERDRAW) != 0) {
        return part.value;
    }
    return MAKELONG(static_cast<WORD>(part.text.size()), static_cast<WORD>(part.type));
}

LRESULT StatusBarControl::SetParts(int count, const int* edges) {
    if (count <= 0 || count > kMaxParts || edges == nullptr) {
        return FALSE;
    }
    edges_.assign(edges, edges + count);
    parts_.resize(static_cast<size_t>(count));
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

void StatusBarControl::SetSimple(bool simple) {
    if (simple != simple_) {
        simple_ = simple;
        InvalidateRect(hwnd_, nullptr, TRUE);
        NMHDR header{};
        SendNotify(hwnd_, header, SBN_SIMPLEMODECHANGE);
    }
}

}  // namespace platform
