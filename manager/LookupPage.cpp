#include "manager/LookupPage.h"

#include "manager/IdCardLookupDlg.h"
#include "manager/IdiomDictDlg.h"
#include "manager/MobileLookupDlg.h"
#include "manager/PostCodeLookupDlg.h"
#include "resources/deskvane/resource.h"

CLookupPage::CLookupPage() : CSubPageHost(IDD_LOOKUP, "实用查询", kSearchSkinKey, kChildren) {}

std::unique_ptr<CDialog> CLookupPage::CreateChild(int index, UINT& templateId) {
    switch (index) {
        case kPostCode:
            templateId = IDD_POST_CODE;
            return std::make_unique<CPostCodeLookupDlg>();
        case kMobile:
            templateId = IDD_MOBILE;
            return std::make_unique<CMobileLookupDlg>();
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
