// Painting of the tab control: the page frame, the tabs or buttons, their images and labels.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/TabControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void TabControl::PaintFrame(HDC dc) {
    if (Buttons()) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    CRect page(client);
    AdjustRect(false, &page);
    page.InflateRect(kTabMargin, kTabMargin);
    DrawEdgeLines(dc, page, false);
}

void TabControl::PaintItem(HDC dc, int index) {
    const Item& item = items_[static_cast<size_t>(index)];
    CRect rect(rects_[static_cast<size_t>(index)]);
    const bool selected = index == selected_;
    if ((Style() & TCS_OWNERDRAWFIXED) != 0) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_TAB;
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = (selected ? ODS_SELECTED : 0) |
                         (index == focused_ && GetFocus() == hwnd_ ? ODS_FOCUS : 0);
        draw.hwndItem = hwnd_;
        draw.hDC = dc;
        draw.rcItem = rect;
        draw.itemData = static_cast<ULONG_PTR>(item.param);
        SendMessageA(GetParent(hwnd_), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    const bool pressed = Buttons() && (selected || (item.state & TCIS_BUTTONPRESSED) != 0);
    if (!Buttons() && selected) {
        rect.InflateRect(kTabMargin, kTabMargin);
    }
    const bool highlighted = (item.state & TCIS_HIGHLIGHTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    const bool flat = (Style() & TCS_FLATBUTTONS) != 0;
    if (!Buttons() || !flat || pressed) {
        DrawEdgeLines(dc, rect, pressed, Buttons());
    }
    int textLeft = rect.left + padding_.cx;
    int imageWidth = 0;
    int imageHeight = 0;
    if (item.image >= 0 && images_ != nullptr &&
        ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        ImageList_Draw(images_, item.image, dc, textLeft,
                       rect.top + (rect.bottom - rect.top - imageHeight) / 2, ILD_TRANSPARENT);
        textLeft += imageWidth + padding_.cx / 2;
    }
    RECT text{textLeft, rect.top, rect.right - padding_.cx, rect.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TabControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        Layout();
        HGDIOBJ oldFont = SelectObject(dc, FontOrDefault(font_));
        PaintFrame(dc);
        for (int i = 0; i < Count(); ++i) {
            if (i != selected_ && Shown(i)) {
                PaintItem(dc, i);
            }
        }
        // The selected tab goes last: it overlaps its neighbours and the page frame.
        if (Valid(selected_) && Shown(selected_)) {
            PaintItem(dc, selected_);
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform
