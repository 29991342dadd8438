#include "manager/TaskListBox.h"

#include <cstdio>

#include "manager/ManagerGdi.h"
#include "platform/drawing/DC.h"

IMPLEMENT_DYNAMIC(CTaskListBox, CListBox)

CString CTaskListBox::RowText(const CString& text, int width) {
    CString line = text;
    const int lineFeed = line.Find('\n');
    if (lineFeed >= 0) {
        line = line.Left(lineFeed);
    }
    const int fits = (width - 24) / 6;
    if (line.GetLength() > fits) {
        line = line.Left(fits > 0 ? fits : 0) + "...";
    }
    return line;
}

void CTaskListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const int item = static_cast<int>(lpDrawItemStruct->itemID);
    if (item < 0 || item >= GetCount() || lpDrawItemStruct->CtlType != ODT_LISTBOX) {
        return;
    }
    CDC& dc = *CDC::FromHandle(lpDrawItemStruct->hDC);
    RECT textRect = lpDrawItemStruct->rcItem;
    textRect.left += kTextIndent;
    CString full;
    GetText(item, full);
    const CString text = RowText(full, textRect.right - textRect.left);

    RECT highlight = textRect;
    highlight.top += 1;
    highlight.bottom -= 1;
    highlight.right = highlight.left + 6 * text.GetLength() + 6;

    const COLORREF oldText = dc.GetTextColor();
    const COLORREF oldBack = dc.GetBkColor();
    if ((lpDrawItemStruct->itemState & ODS_SELECTED) != 0) {
        ::FillRect(dc.GetSafeHdc(), &highlight, Gdi().paleYellowBrush);
        dc.SetTextColor(RGB(0, 0, 0));
    } else {
        dc.FillSolidRect(&highlight, oldBack);
    }
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) != 0) {
        CBrush frame(RGB(0x6F, 0x6F, 0x6F));
        dc.FrameRect(&highlight, &frame);
    }
    HGDIOBJ oldFont = ::SelectObject(dc.GetSafeHdc(), Gdi().uiFont);
    dc.SetBkMode(TRANSPARENT);
    RECT textArea = highlight;
    textArea.left += 3;
    textArea.right = textRect.right;
    dc.DrawText(text, &textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    char number[16];
    std::snprintf(number, sizeof(number), "%03d", item + 1);
    RECT numberArea{lpDrawItemStruct->rcItem.left + 1, textRect.top, textArea.left - 2,
                    textRect.bottom};
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawText(number, -1, &numberArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc.GetSafeHdc(), oldFont);
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBack);
}

void CTaskListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    lpMeasureItemStruct->itemHeight = kRowHeight;
}
