// Painting of the status bar: the parts' edges, icons and texts, and the size grip.
#include <string>
#include <vector>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/StatusBarControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/IconApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void StatusBarControl::PaintPart(HDC dc, const Part& part, RECT rect, int index) {
    if ((part.type & SBT_NOBORDERS) == 0) {
        DrawEdgeLines(dc, rect, (part.type & SBT_POPOUT) == 0);
    }
    if ((part.type & SBT_OWNERDRAW) != 0) {
        DRAWITEMSTRUCT draw{};
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = hwnd_;
        draw.hDC = dc;
        draw.rcItem = rect;
        draw.itemData = static_cast<ULONG_PTR>(part.value);
        SendMessageA(GetParent(hwnd_), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    RECT text{rect.left + kTextInset, rect.top + 1, rect.right - kTextInset, rect.bottom - 1};
    if (part.icon != nullptr) {
        ICONINFO info{};
        int size = rect.bottom - rect.top - 2;
        if (GetIconInfo(part.icon, &info)) {
            BITMAP bitmap{};
            if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap)) {
                size = bitmap.bmWidth;
            }
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        DrawIconEx(dc, text.left, rect.top + (rect.bottom - rect.top - size) / 2, part.icon, 0, 0,
                   0, nullptr, DI_NORMAL);
        text.left += size + kTextInset;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    // Tabs split the text into a left, a centred and a right-aligned piece.
    std::vector<std::string> pieces{part.text};
    if ((part.type & SBT_NOTABPARSING) == 0) {
        pieces.clear();
        size_t start = 0;
        while (pieces.size() < 2) {
            const size_t tab = FindChar(part.text, '\t', start);
            if (tab == std::string::npos) {
                break;
            }
            pieces.push_back(part.text.substr(start, tab - start));
            start = tab + 1;
        }
        pieces.push_back(part.text.substr(start));
    }
    const UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (size_t i = 0; i < pieces.size(); ++i) {
        DrawTextA(dc, pieces[i].c_str(), static_cast<int>(pieces[i].size()), &text,
                  alignments[i] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void StatusBarControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        if (background_ == CLR_DEFAULT) {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        } else {
            FillSolid(dc, client, background_);
        }
        HGDIOBJ oldFont = SelectObject(dc, FontOrDefault(font_));
        if (simple_) {
            PaintPart(dc, simplePart_,
                      RECT{kBorderX, kBorderY, client.right - kBorderX, client.bottom},
                      SB_SIMPLEID);
        } else {
            for (int i = 0; i < Count(); ++i) {
                RECT rect{};
                PartRect(i, &rect);
                PaintPart(dc, parts_[static_cast<size_t>(i)], rect, i);
            }
        }
        SelectObject(dc, oldFont);
        if ((Style() & SBARS_SIZEGRIP) != 0) {
            // Diagonal ridges in the corner, as on a resizable frame.
            HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
            HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
            HGDIOBJ oldPen = SelectObject(dc, shadow);
            for (int offset = 3; offset < kGripSize; offset += 4) {
                SelectObject(dc, shadow);
                MoveToEx(dc, client.right - offset, client.bottom, nullptr);
                LineTo(dc, client.right, client.bottom - offset);
                SelectObject(dc, light);
                MoveToEx(dc, client.right - offset - 1, client.bottom, nullptr);
                LineTo(dc, client.right, client.bottom - offset - 1);
            }
            SelectObject(dc, oldPen);
            DeleteObject(shadow);
            DeleteObject(light);
        }
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform
