#include "manager/LedgerEntryDlg.h"

#include <algorithm>
#include <string>

#include "manager/DialogKeyFilter.h"
#include "manager/LedgerRowKind.h"
#include "manager/RecordBytes.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "platform/time/Clock.h"
#include "resources/deskvane/resource.h"

namespace {

std::string Trimmed(const CString& text) {
    std::string_view view(text, static_cast<std::size_t>(text.GetLength()));
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!view.empty() && isSpace(view.front())) {
        view.remove_prefix(1);
    }
    while (!view.empty() && isSpace(view.back())) {
        view.remove_suffix(1);
    }
    return std::string(view);
}

}  // namespace

BEGIN_MESSAGE_MAP(CLedgerEntryDlg, CDialog)
ON_BN_CLICKED(IDC_ADD_ENTRY, OnAdd)
ON_BN_CLICKED(IDC_DELETE_ENTRY, OnDelete)
ON_MESSAGE(WM_DATE_CHANGED, OnDateChanged)
ON_MESSAGE(WM_DAY_CHANGED, OnDayChanged)
ON_WM_DESTROY()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CLedgerEntryDlg::CLedgerEntryDlg() : CDialog(IDD_LEDGER_ENTRY) {}

void CLedgerEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENTRY_TYPE, type_);
    DDX_Control(pDX, IDC_LEDGER_LIST, list_);
    DDX_Control(pDX, IDC_DELETE_ENTRY, delete_);
    DDX_Control(pDX, IDC_ADD_ENTRY, add_);
}

BOOL CLedgerEntryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    working_.date = DateRecord{};
    working_.date.year = today.wYear;
    working_.date.month = today.wMonth;
    working_.date.day = today.wDay;
    picker_.Create(this);
    LedgerRowKind::InsertColumns(list_);
    list_.SetKind(3);
    picker_.MoveWindow(20, 25, 280, 25);
    LoadMonth();
    FillList();
    picker_.ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CLedgerEntryDlg::PreTranslateMessage(MSG* pMsg) {
    if (FilterEscapeKey(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CLedgerEntryDlg::OnDateChanged(WPARAM, LPARAM) {
    LoadMonth();
    FillList();
    return TRUE;
}

LRESULT CLedgerEntryDlg::OnDayChanged(WPARAM, LPARAM) {
    FillList();
    return TRUE;
}

void CLedgerEntryDlg::FreeRecords() {
    if (list_.m_hWnd != nullptr) {
        list_.DeleteAllItems();
    }
    records_.clear();
}

int CLedgerEntryDlg::LoadMonth() {
    FreeRecords();
    monthRead_ = LoadLedgerMonth(working_.date.year, working_.date.month, records_);
    return monthRead_;
}

void CLedgerEntryDlg::FillList() {
    list_.DeleteAllItems();
    for (const auto& record : records_) {
        const int row = list_.InsertItem(list_.GetItemCount(), "");
        list_.SetItemData(row, reinterpret_cast<DWORD_PTR>(record.get()));
    }
}

int CLedgerEntryDlg::SaveMonth() {
    if (monthRead_ == 2) {
        MessageBox(RecordBytes::kPartialFileMessage);
        return 1;
    }
    if (SaveLedgerMonth(working_.date.year, working_.date.month, records_) != 0) {
        return 1;
    }
    if (CWnd* parent = GetParent()) {
        parent->PostMessage(WM_LEDGER_CHANGED);
    }
    return 0;
}

void CLedgerEntryDlg::OnAdd() {
    const int type = type_.GetCurSel();
    if (type < 0) {
        MessageBox("请输入类型");
        return;
    }
    CString amountText;
    GetDlgItemText(IDC_AMOUNT, amountText);
    std::int32_t amount = 0;
    if (!ParseLedgerAmount(
            std::string_view(amountText, static_cast<std::size_t>(amountText.GetLength())),
            amount)) {
        MessageBox("输入金额超出范围");
        return;
    }
    CString note;
    GetDlgItemText(IDC_ENTRY_NOTE, note);
    working_.type = type;
    working_.amount = amount;
    RecordBytes::Store(working_.note, Trimmed(note));
    picker_.SaveDate();
    auto record = std::make_unique<LedgerRecord>(working_);
    const auto later = std::find_if(records_.begin(), records_.end(), [&](const auto& other) {
        return CompareLedgerDates(*other, *record) > 0;
    });
    records_.insert(later, std::move(record));
    FillList();
    SaveMonth();
}

void CLedgerEntryDlg::OnDelete() {
    const int row = list_.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        return;
    }
    const auto* chosen = reinterpret_cast<const LedgerRecord*>(list_.GetItemData(row));
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [&](const auto& record) { return record.get() == chosen; });
    if (found != records_.end()) {
        list_.DeleteItem(row);
        records_.erase(found);
    }
    SaveMonth();
}

void CLedgerEntryDlg::OnDestroy() {
    FreeRecords();
    CDialog::OnDestroy();
}

HBRUSH CLedgerEntryDlg::OnCtlColor(CDC* pDC, CWnd*, UINT) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}
