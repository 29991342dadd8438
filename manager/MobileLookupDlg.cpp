#include "manager/MobileLookupDlg.h"

#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CMobileLookupDlg, CLookupRecordsDlg<MobileRangeRecord>)
ON_BN_CLICKED(IDC_FIND_NUMBER, OnQuery)
ON_EN_CHANGE(IDC_NUMBER, OnNumberChange)
END_MESSAGE_MAP()

namespace {

// The ranges are held as seven-digit prefixes.
constexpr int kPrefixLength = 7;
constexpr char kNotFound[] = "未找到对应的数据";

// The columns of a range's row: province, city and card.
const char* FieldOf(const MobileRangeRecord& record, int column) {
    switch (column) {
        case 0:
            return record.province;
        case 1:
            return record.city;
        case 2:
            return record.card;
        default:
            return nullptr;
    }
}

const TextFieldRows<MobileRangeRecord, FieldOf> kMobileRows;

}  // namespace

CMobileLookupDlg::CMobileLookupDlg() : CLookupRecordsDlg(IDD_MOBILE, kMobileFile) {
    SetRecordRows(&results_);
}

void CMobileLookupDlg::DoDataExchange(CDataExchange* pDX) {
    CLookupRecordsDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_NUMBER, query_);
    DDX_Control(pDX, IDC_LOOKUP_LIST, results_);
}

BOOL CMobileLookupDlg::OnInitDialog() {
    CLookupRecordsDlg::OnInitDialog();
    results_.InsertColumn(0, "省份", LVCFMT_LEFT, 100);
    results_.InsertColumn(1, "城市", LVCFMT_LEFT, 100);
    results_.InsertColumn(2, "卡说明", LVCFMT_LEFT, 200);
    results_.SetKind(kMobileKind, &kMobileRows);
    LoadData();
    return TRUE;
}

int CMobileLookupDlg::ListRanges(const CString& number) {
    const CString prefix = number.Left(kPrefixLength);
    const auto length = static_cast<std::size_t>(prefix.GetLength());
    results_.DeleteAllItems();
    int rows = 0;
    for (MobileRangeRecord& record : records_) {
        if (!record.Covers(prefix, length)) {
            continue;
        }
        const int row = results_.InsertItem(results_.GetItemCount(), record.province);
        if (row >= 0) {
            results_.SetItemText(row, 1, record.city);
            results_.SetItemText(row, 2, record.card);
            results_.SetItemData(row, reinterpret_cast<DWORD_PTR>(&record));
            ++rows;
        }
    }
    return rows;
}

void CMobileLookupDlg::OnQuery() {
    const CString number = TrimmedText(IDC_NUMBER);
    if (number.IsEmpty()) {
        return;
    }
    if (records_.empty()) {
        results_.DeleteAllItems();
        MessageBox(kNotFound);
        return;
    }
    if (ListRanges(number) == 0) {
        MessageBox(kNotFound);
    }
}

void CMobileLookupDlg::OnNumberChange() {
    const CString number = TrimmedText(IDC_NUMBER);
    if (number.GetLength() > 10) {
        ListRanges(number);
    }
}
