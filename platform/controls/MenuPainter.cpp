#include "platform/controls/MenuPainter.h"

#include "platform/controls/MenuLayout.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"

namespace platform {

namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, int colorIndex) {
    const RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

void CheckMark(HDC dc, const RECT& box, COLORREF color, bool radio) {
    const int x = box.left + (box.right - box.left - 7) / 2;
    const int y = box.top + (box.bottom - box.top - 7) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    if (radio) {
        Ellipse(dc, x + 1, y + 1, x + 7, y + 7);
    } else {
        for (int row = 0; row < 3; ++row) {
            MoveToEx(dc, x, y + 2 + row, nullptr);
            LineTo(dc, x + 2, y + 4 + row);
            LineTo(dc, x + 7, y - 1 + row);
        }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void Arrow(HDC dc, const RECT& item, COLORREF color) {
    const int x = item.right - kPopupArrowWidth / 2 - 2;
    const int y = item.top + (item.bottom - item.top) / 2;
    const POINT points[3] = {{x, y - 3}, {x + 3, y}, {x, y + 3}};
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Polygon(dc, points, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void Separator(HDC dc, const RECT& rect) {
    Fill(dc, rect.left, rect.top, rect.right, rect.bottom, COLOR_MENU);
    const int y = rect.top + (rect.bottom - rect.top) / 2 - 1;
    Fill(dc, rect.left + 1, y, rect.right - 1, y + 1, COLOR_BTNSHADOW);
    Fill(dc, rect.left + 1, y + 1, rect.right - 1, y + 2, COLOR_BTNHIGHLIGHT);
}

void Bitmap(HDC dc, const RECT& area, HBITMAP bitmap) {
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof(info), &info) == 0) {
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, area.left, area.top + (area.bottom - area.top - info.bmHeight) / 2, info.bmWidth,
           info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void OwnerDraws(HDC dc, const MenuItemPaint& item) {
    const MenuEntry& entry = *item.entry;
    UINT state = 0;
    if (item.selected) {
        state |= ODS_SELECTED;
    }
    if (entry.state & MF_GRAYED) {
        state |= ODS_GRAYED;
    }
    if (entry.state & MF_DISABLED) {
        state |= ODS_DISABLED;
    }
    if (entry.state & MF_CHECKED) {
        state |= ODS_CHECKED;
    }
    if (entry.state & MF_DEFAULT) {
        state |= ODS_DEFAULT;
    }
    DRAWITEMSTRUCT draw{ODT_MENU,    0,         entry.id,
                        item.action, state,     reinterpret_cast<HWND>(item.menu),
                        dc,          item.rect, entry.data};
    HGDIOBJ oldFont = SelectObject(dc, MenuFont(false));
    SendMessageA(item.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    SelectObject(dc, oldFont);
}

}  // namespace

void PaintPopupFrame(HDC dc, SIZE size) {
    const int w = size.cx;
    const int h = size.cy;
    Fill(dc, 0, 0, w, h, COLOR_MENU);
    Fill(dc, 0, 0, w, 1, COLOR_3DLIGHT);
    Fill(dc, 0, 0, 1, h, COLOR_3DLIGHT);
    Fill(dc, 0, h - 1, w, h, COLOR_3DDKSHADOW);
    Fill(dc, w - 1, 0, w, h, COLOR_3DDKSHADOW);
    Fill(dc, 1, 1, w - 1, 2, COLOR_BTNHIGHLIGHT);
    Fill(dc, 1, 1, 2, h - 1, COLOR_BTNHIGHLIGHT);
    Fill(dc, 1, h - 2, w - 1, h - 1, COLOR_BTNSHADOW);
    Fill(dc, w - 2, 1, w - 1, h - 1, COLOR_BTNSHADOW);
}

void PaintMenuItem(HDC dc, const MenuItemPaint& item) {
    if (dc == nullptr || item.entry == nullptr) {
        return;
    }
    const MenuEntry& entry = *item.entry;
    if (entry.IsOwnerDrawn() && !item.inMenuBar) {
        OwnerDraws(dc, item);
        return;
    }
    const RECT& rect = item.rect;
    if (entry.IsSeparator()) {
        if (!item.inMenuBar) {
            Separator(dc, rect);
        }
        return;
    }
    const bool grayed = (entry.state & (MF_GRAYED | MF_DISABLED)) != 0;
    const COLORREF text = grayed          ? GetSysColor(COLOR_GRAYTEXT)
                          : item.selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                          : GetSysColor(COLOR_MENUTEXT);
    Fill(dc, rect.left, rect.top, rect.right, rect.bottom,
         item.selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    if (entry.type & MF_BITMAP) {
        const RECT area{rect.left + (item.inMenuBar ? 0 : kPopupCheckWidth), rect.top, rect.right,
                        rect.bottom};
        Bitmap(dc, area, entry.bitmap);
        return;
    }
    HGDIOBJ oldFont = SelectObject(dc, MenuFont((entry.state & MF_DEFAULT) != 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const auto [label, accelerator] = SplitMenuText(entry.text);
    if (item.inMenuBar) {
        RECT area = rect;
        DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &area,
                  DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    } else {
        if (entry.state & MF_CHECKED) {
            const RECT box{rect.left, rect.top, rect.left + kPopupCheckWidth, rect.bottom};
            CheckMark(dc, box, text, (entry.type & MFT_RADIOCHECK) != 0);
        }
        RECT area{rect.left + kPopupCheckWidth, rect.top, rect.right - kPopupArrowWidth,
                  rect.bottom};
        DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &area,
                  DT_SINGLELINE | DT_LEFT | DT_VCENTER);
        if (!accelerator.empty() && item.acceleratorOffset > 0) {
            RECT keys{rect.left + item.acceleratorOffset, rect.top, rect.right - kPopupArrowWidth,
                      rect.bottom};
            DrawTextA(dc, accelerator.c_str(), static_cast<int>(accelerator.size()), &keys,
                      DT_SINGLELINE | DT_LEFT | DT_VCENTER);
        }
        if (entry.IsPopup()) {
            Arrow(dc, rect, text);
        }
    }
    SelectObject(dc, oldFont);
}

}  // namespace platform
