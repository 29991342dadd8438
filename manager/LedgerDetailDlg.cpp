#include "manager/LedgerDetailDlg.h"

#include <cstdio>

#include "manager/DialogKeyFilter.h"
#include "manager/LedgerEntryDlg.h"
#include "manager/LedgerRowKind.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "platform/time/Clock.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CLedgerDetailDlg, CDialog)
ON_BN_CLICKED(IDC_VIEW_MONTH, OnView)
ON_MESSAGE(WM_LEDGER_CHANGED, OnLedgerChanged)
ON_WM_DESTROY()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CLedgerDetailDlg::CLedgerDetailDlg() : CDialog(IDD_LEDGER_DETAIL) {}

void CLedgerDetailDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LEDGER_LIST, list_);
}

BOOL CLedgerDetailDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    date_.year = today.wYear;
    date_.month = today.wMonth;
    date_.day = today.wDay;
    picker_.Create(this);
    picker_.EnableFields(TRUE, TRUE, FALSE);
    LedgerRowKind::InsertColumns(list_);
    list_.SetKind(3);
    picker_.MoveWindow(10, 10, 290, 30);
    LoadMonth();
    FillList();
    picker_.ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CLedgerDetailDlg::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CLedgerDetailDlg::OnView() {
    LoadMonth();
    FillList();
}

LRESULT CLedgerDetailDlg::OnLedgerChanged(WPARAM, LPARAM) {
    OnView();
    return TRUE;
}

int CLedgerDetailDlg::FreeRecords() {
    if (list_.m_hWnd != nullptr) {
        list_.DeleteAllItems();
    }
    records_.clear();
    return 0;
}

int CLedgerDetailDlg::LoadMonth() {
    FreeRecords();
    return LoadLedgerMonth(date_.year, date_.month, records_);
}

void CLedgerDetailDlg::FillList() {
    list_.DeleteAllItems();
    for (const auto& record : records_) {
        const int row = list_.InsertItem(list_.GetItemCount(), "");
        list_.SetItemData(row, reinterpret_cast<DWORD_PTR>(record.get()));
    }
    SetDlgItemText(IDC_SUMMARY, Summary(date_.year, date_.month, records_).c_str());
}

std::string CLedgerDetailDlg::Summary(int year, int month, const LedgerRecordList& records) {
    std::int64_t income = 0;
    std::int64_t expense = 0;
    long long incomes = 0;
    long long expenses = 0;
    for (const auto& record : records) {
        if (record->type == 0) {
            income += record->amount;
            ++incomes;
        } else {
            expense += record->amount;
            ++expenses;
        }
    }
    char text[512];
    std::snprintf(text, sizeof(text),
                  "  %04d年%02d月\r\n     收入共 %lld 次, 支出共 %lld 次, 总共 %lld 次\r\n     "
                  "收入总金额 %s 元, 支出总金额 %s 元, 合计总收入 %s 元",
                  year, month, incomes, expenses, incomes + expenses, FormatYuan(income).c_str(),
                  FormatYuan(expense).c_str(), FormatYuan(income - expense).c_str());
    return text;
}

void CLedgerDetailDlg::OnDestroy() {
    FreeRecords();
    CDialog::OnDestroy();
}

HBRUSH CLedgerDetailDlg::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
