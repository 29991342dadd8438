#include "manager/PostCodeLookupDlg.h"

#include <cstdio>
#include <cstring>

#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CPostCodeLookupDlg, CLookupRecordsDlg<PostCodeRecord>)
ON_BN_CLICKED(IDC_FIND_CITY, OnFindCity)
ON_BN_CLICKED(IDC_FIND_AREA_CODE, OnFindAreaCode)
ON_BN_CLICKED(IDC_FIND_POST_CODE, OnFindPostCode)
ON_EN_CHANGE(IDC_CITY, OnCityChange)
ON_EN_CHANGE(IDC_AREA_CODE, OnAreaCodeChange)
ON_EN_CHANGE(IDC_POST_CODE, OnPostCodeChange)
END_MESSAGE_MAP()

namespace {

// Rows: " %s" of the texts at offsets 0, 20, 60 and 40 (province, city, area code, post code),
// sorted by the text each column shows.
const char* FieldOf(const PostCodeRecord& record, int column) {
    switch (column) {
        case 0:
            return record.province;
        case 1:
            return record.city;
        case 2:
            return record.areaCode;
        case 3:
            return record.postCode;
        default:
            return nullptr;
    }
}

const TextFieldRows<PostCodeRecord, FieldOf> kPostCodeRows;

// Characters, not bytes: a GBK lead byte and its trail byte count once.
int CharacterCount(const CString& text) {
    int count = 0;
    for (int i = 0; i < text.GetLength(); ++i, ++count) {
        if (static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.GetLength()) {
            ++i;
        }
    }
    return count;
}

}  // namespace

CPostCodeLookupDlg::CPostCodeLookupDlg() : CLookupRecordsDlg(IDD_POST_CODE, kPostCodeFile) {
    SetRecordRows(&results_);
}

void CPostCodeLookupDlg::DoDataExchange(CDataExchange* pDX) {
    CLookupRecordsDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_CITY, findCity_);
    DDX_Control(pDX, IDC_FIND_AREA_CODE, findAreaCode_);
    DDX_Control(pDX, IDC_FIND_POST_CODE, findPostCode_);
    DDX_Control(pDX, IDC_LOOKUP_LIST, results_);
    DDX_Control(pDX, IDC_PROVINCE_TREE, tree_);
}

BOOL CPostCodeLookupDlg::OnInitDialog() {
    CLookupRecordsDlg::OnInitDialog();
    results_.InsertColumn(0, "省份", LVCFMT_LEFT, 100);
    results_.InsertColumn(1, "城市", LVCFMT_LEFT, 100);
    results_.InsertColumn(2, "区号", LVCFMT_LEFT, 100);
    results_.InsertColumn(3, "邮编", LVCFMT_LEFT, 100);
    results_.SetKind(kPostCodeKind, &kPostCodeRows);
    LoadData();
    FillTree();
    return TRUE;
}

void CPostCodeLookupDlg::FillTree() {
    tree_.DeleteAllItems();
    HTREEITEM root = nullptr;
    CString rootText;
    for (const PostCodeRecord& record : records_) {
        if (root == nullptr || std::strcmp(rootText, record.province) != 0) {
            root = tree_.InsertItem(record.province);
            rootText = record.province;
        }
        char text[128];
        std::snprintf(text, sizeof(text), "城市: %-20s  区号:%-8s  邮编:%-8s", record.city,
                      record.areaCode, record.postCode);
        tree_.InsertItem(text, root);
    }
}

void CPostCodeLookupDlg::FindByField(Field field, int minimum) {
    static constexpr int kEdits[] = {IDC_CITY, IDC_AREA_CODE, IDC_POST_CODE};
    const CString input = TrimmedText(kEdits[field]);
    if (CharacterCount(input) < minimum) {
        return;
    }
    results_.DeleteAllItems();
    for (PostCodeRecord& record : records_) {
        const char* text = field == kCity       ? record.city
                           : field == kAreaCode ? record.areaCode
                                                : record.postCode;
        if (std::strstr(text, input) == nullptr) {
            continue;
        }
        const int row = results_.InsertItem(results_.GetItemCount(), record.province);
        if (row >= 0) {
            results_.SetItemText(row, 1, record.city);
            results_.SetItemText(row, 2, record.areaCode);
            results_.SetItemText(row, 3, record.postCode);
            results_.SetItemData(row, reinterpret_cast<DWORD_PTR>(&record));
        }
    }
}

void CPostCodeLookupDlg::OnFindCity() {
    FindByField(kCity, 1);
}

void CPostCodeLookupDlg::OnFindAreaCode() {
    FindByField(kAreaCode, 1);
}

void CPostCodeLookupDlg::OnFindPostCode() {
    FindByField(kPostCode, 1);
}

void CPostCodeLookupDlg::OnCityChange() {
    FindByField(kCity, 2);
}

void CPostCodeLookupDlg::OnAreaCodeChange() {
    FindByField(kAreaCode, 2);
}

void CPostCodeLookupDlg::OnPostCodeChange() {
    FindByField(kPostCode, 2);
}
