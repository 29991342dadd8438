#include "browser/BlockedListMenu.h"

#include <algorithm>

#include "browser/BrowserDataStore.h"
#include "browser/BrowserFrame.h"
#include "browser/FilterButton.h"
#include "common/TruncateText.h"
#include "resources/quorra/resource.h"

BOOL CBlockedListMenu::LoadMenu() {
    return menu_.GetSafeHmenu() != nullptr || menu_.LoadMenu(IDR_FILTER_MENU);
}

void CBlockedListMenu::Fill(CMenu& subMenu, size_t count) const {
    while (subMenu.GetMenuItemCount() > 0) {
        subMenu.DeleteMenu(0, MF_BYPOSITION);
    }
    count = std::min(count, shown_.size());
    for (size_t i = 0; i < count; ++i) {
        CString text = shown_[i];
        TruncateText(text, kTextWidth);
        subMenu.AppendMenu(MF_STRING, kFirstCommand + i, text);
    }
}

void CBlockedListMenu::Show(CFilterButton& button, const std::vector<CString>& blockedUrls,
                            CWnd* pOwner) {
    button.StopBlink();
    if (blockedUrls.empty() || menu_.GetSafeHmenu() == nullptr) {
        return;
    }
    const size_t count = std::min(blockedUrls.size(), kAllCount);
    shown_.assign(blockedUrls.begin(), blockedUrls.begin() + static_cast<std::ptrdiff_t>(count));
    CMenuEx* popup = menu_.GetSubMenu(0);
    Fill(*popup->GetSubMenu(0), kNewestCount);
    Fill(*popup->GetSubMenu(1), kAllCount);
    RECT rect{};
    button.GetWindowRect(&rect);
    popup->TrackPopupMenu(0, rect.left + 28, rect.bottom + 1, pOwner);
}

CString CBlockedListMenu::GetUrl(UINT nID) const {
    if (nID < kFirstCommand || nID - kFirstCommand >= shown_.size()) {
        return CString();
    }
    return shown_[nID - kFirstCommand];
}

int CBlockedListMenu::OpenBlockedPage(UINT nID, CBrowserDataStore& store,
                                      CBrowserFrame& frame) const {
    const CString url = GetUrl(nID);
    if (url.IsEmpty()) {
        return 1;
    }
    store.AddAllowedUrl(url);
    frame.OpenUrl(url, 1, 1);
    return 0;
}
