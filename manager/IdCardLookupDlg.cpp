#include "manager/IdCardLookupDlg.h"

#include <cstring>

#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CIdCardLookupDlg, CLookupRecordsDlg<IdCardRegionRecord>)
ON_BN_CLICKED(IDC_FIND_NUMBER, OnQuery)
ON_EN_CHANGE(IDC_NUMBER, OnNumberChange)
END_MESSAGE_MAP()

namespace {

// An identity-card number begins with its region's six-digit code.
constexpr std::size_t kCodeLength = 6;

}  // namespace

CIdCardLookupDlg::CIdCardLookupDlg() : CLookupRecordsDlg(IDD_ID_CARD, kIdCardFile) {}

void CIdCardLookupDlg::DoDataExchange(CDataExchange* pDX) {
    CLookupRecordsDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_NUMBER, query_);
}

BOOL CIdCardLookupDlg::OnInitDialog() {
    CLookupRecordsDlg::OnInitDialog();
    LoadData();
    return TRUE;
}

void CIdCardLookupDlg::OnQuery() {
    Search(TrimmedText(IDC_NUMBER));
}

void CIdCardLookupDlg::OnNumberChange() {
    const CString number = TrimmedText(IDC_NUMBER);
    if (number.GetLength() > 10) {
        Search(number);
    }
}

void CIdCardLookupDlg::Search(const CString& number) {
    if (number.IsEmpty()) {
        return;
    }
    const CString head = number.Left(7);
    for (const IdCardRegionRecord& record : records_) {
        if (std::strncmp(head, record.code, kCodeLength) == 0) {
            SetDlgItemText(IDC_ID_RESULT, record.region);
            return;
        }
    }
    SetDlgItemText(IDC_ID_RESULT, "未找到");
}
