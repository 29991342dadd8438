#include "manager/LookupPage.h"

#include "manager/IdCardLookupDlg.h"
#include "manager/IdiomDictDlg.h"
#include "resources/deskvane/resource.h"

CLookupPage::CLookupPage() : CSubPageHost(IDD_LOOKUP, "实用查询", kSearchSkinKey, kChildren) {}

std::unique_ptr<CDialog> CLookupPage::CreateChild(int index, UINT& templateId) {
    switch (index) {
        case kIdCard:
            templateId = IDD_ID_CARD;
            return std::make_unique<CIdCardLookupDlg>();
        case kIdiom:
            templateId = IDD_IDIOM;
            return std::make_unique<CIdiomDictDlg>();
        default:
            return nullptr;
    }
}
