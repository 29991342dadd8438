// Painting of the list box: its own items, or the owner's for owner-drawn lists.
#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kTextMargin = 2;

}  // namespace

HBRUSH ListBoxControl::ControlColor(HDC dc) const {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        owner_, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
    return brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void ListBoxControl::Invalidate() {
    if (redraw_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void ListBoxControl::DrawItem(HDC dc, int index, UINT action, HBRUSH background) {
    const RECT rect = ItemRect(index);
    const bool selected = IsSelected(index);
    const bool focus = focused_ && index == caret_;
    if (OwnerDraw()) {
        UINT state = 0;
        if (selected) {
            state |= ODS_SELECTED;
        }
        if (focus) {
            state |= ODS_FOCUS;
        }
        if (!IsWindowEnabled(hwnd_)) {
            state |= ODS_DISABLED;
        }
        DRAWITEMSTRUCT draw{ctlType_, ctlId_, static_cast<UINT>(index), action, state, itemWindow_,
                            dc,       rect,   items_[index].data};
        SendMessageA(owner_, WM_DRAWITEM, ctlId_, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    const COLORREF oldText = GetTextColor(dc);
    if (selected) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &rect, background);
        if (!IsWindowEnabled(hwnd_)) {
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
    }
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    RECT textRect{rect.left + kTextMargin, rect.top, rect.right, rect.bottom};
    const std::string& text = items_[index].text;
    UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (Style() & LBS_USETABSTOPS) {
        format |= DT_EXPANDTABS;
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldText);
}

void ListBoxControl::DrawItemNow(int index, UINT action) {
    if (!redraw_ || !IsWindowVisible(hwnd_)) {
        return;
    }
    const RECT rect = ItemRect(index);
    if (rect.bottom <= 0 || rect.top >= ClientHeight()) {
        return;
    }
    HDC dc = GetDC(hwnd_);
    if (dc == nullptr) {
        return;
    }
    HBRUSH background = ControlColor(dc);
    DrawItem(dc, index, action, background);
    ReleaseDC(hwnd_, dc);
}

void ListBoxControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        HBRUSH background = ControlColor(dc);
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(dc, &client, background);
        int y = 0;
        for (int index = top_; index < Count() && y < client.bottom; ++index) {
            DrawItem(dc, index, ODA_DRAWENTIRE, background);
            y += HeightOf(index);
        }
        if (Count() == 0 && focused_ && OwnerDraw()) {
            DRAWITEMSTRUCT draw{ctlType_,
                                ctlId_,
                                static_cast<UINT>(-1),
                                ODA_FOCUS,
                                ODS_FOCUS,
                                itemWindow_,
                                dc,
                                RECT{0, 0, client.right, itemHeight_},
                                0};
            SendMessageA(owner_, WM_DRAWITEM, ctlId_, reinterpret_cast<LPARAM>(&draw));
        }
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform
