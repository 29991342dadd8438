// The columns of the income and expense book's lists: 日期 100, 操作 80, 金额 100 and 备注 300
// pixels wide.
#pragma once

#include "platform/framework/ListCtrl.h"

inline void InsertLedgerColumns(CListCtrl& list) {
    list.InsertColumn(0, "日期", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "操作", LVCFMT_LEFT, 80);
    list.InsertColumn(2, "金额", LVCFMT_LEFT, 100);
    list.InsertColumn(3, "备注", LVCFMT_LEFT, 300);
}
