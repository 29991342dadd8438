// The manager's numbered owner-drawn list box: 20-pixel rows, each with its number ("%03d") and
// its text up to the first line feed, cut with "..." to what fits; the selected row is
// highlighted pale yellow over the text's width. The plan query dialog lists its results in it.
// In backup mode each row's item data is a BackupTask and the row shows the task's description
// whole instead of its string.
#pragma once

#include "manager/BackupTask.h"
#include "platform/framework/ListBox.h"

class CTaskListBox : public CListBox {
    DECLARE_DYNAMIC(CTaskListBox)

public:
    static constexpr int kRowHeight = 20;
    // The text of a row starts this far right of the row's left edge, after its number.
    static constexpr int kTextIndent = 30;

    // The row's text as drawn in a text area `width` pixels wide: up to the first line feed, and
    // cut to (width - 24) / 6 bytes (one less rather than half a two-byte character) followed by
    // "..." when longer.
    static CString RowText(const CString& text, int width);
    // "每天 12小时 0分 备份文件 源:C:\A , 目的:D:\B" and the like; "" for an unknown kind. A
    // weekday outside 0..6 reads "星期?".
    static CString FormatBackupTask(const BackupTask& task);

    void SetBackupMode(int backupMode) { backupMode_ = backupMode; }
    int BackupMode() const { return backupMode_; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

private:
    int backupMode_ = 0;
};
