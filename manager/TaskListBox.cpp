#include "manager/TaskListBox.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "manager/ManagerGdi.h"
#include "platform/drawing/DC.h"
#include "platform/text/Gbk.h"

IMPLEMENT_DYNAMIC(CTaskListBox, CListBox)

CString CTaskListBox::RowText(const CString& text, int width) {
    CString line = text;
    const int lineFeed = line.Find('\n');
    if (lineFeed >= 0) {
        line = line.Left(lineFeed);
    }
    const int fits = (width - 24) / 6;
    if (line.GetLength() > fits) {
        // Never half a two-byte character before the dots.
        const std::size_t kept = platform::CutAtCharBoundary(
            std::string_view(line, static_cast<std::size_t>(line.GetLength())),
            fits > 0 ? static_cast<std::size_t>(fits) : 0);
        line = line.Left(static_cast<int>(kept)) + "...";
    }
    return line;
}

CString CTaskListBox::FormatBackupTask(const BackupTask& task) {
    static const char* const weekdays[] = {"星期日", "星期一", "星期二", "星期三",
                                           "星期四", "星期五", "星期六"};
    const std::string source(task.source, ::strnlen(task.source, sizeof(task.source)));
    const std::string destination(task.destination,
                                  ::strnlen(task.destination, sizeof(task.destination)));
    char text[700];
    switch (task.kind) {
        case 0:
            std::snprintf(text, sizeof(text), "每天 %d小时 %d分 备份文件 源:%s , 目的:%s",
                          task.hour, task.minute, source.c_str(), destination.c_str());
            break;
        case 1:
            std::snprintf(text, sizeof(text), "每%s %d小时 %d分 备份文件 源:%s , 目的:%s",
                          task.day >= 0 && task.day <= 6 ? weekdays[task.day] : "星期?", task.hour,
                          task.minute, source.c_str(), destination.c_str());
            break;
        case 2:
            std::snprintf(text, sizeof(text), "每月 %lld日 %d小时 %d分 备份文件 源:%s , 目的:%s",
                          static_cast<long long>(task.day) + 1, task.hour, task.minute,
                          source.c_str(), destination.c_str());
            break;
        default:
            return CString();
    }
    return CString(text);
}

void CTaskListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const int item = static_cast<int>(lpDrawItemStruct->itemID);
    if (item < 0 || item >= GetCount() || lpDrawItemStruct->CtlType != ODT_LISTBOX) {
        return;
    }
    CDC& dc = *CDC::FromHandle(lpDrawItemStruct->hDC);
    RECT textRect = lpDrawItemStruct->rcItem;
    textRect.left += kTextIndent;
    CString text;
    if (backupMode_ != 0) {
        if (const auto* task = reinterpret_cast<const BackupTask*>(lpDrawItemStruct->itemData)) {
            text = FormatBackupTask(*task);
        }
    } else {
        CString full;
        GetText(item, full);
        text = RowText(full, textRect.right - textRect.left);
    }

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
