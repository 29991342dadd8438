#include "browser/BlockedListMenu.h"

#include <algorithm>

#include "browser/BrowserDataStore.h"
#include "browser/BrowserFrame.h"
#include "browser/FilterButton.h"
#include "browser/TruncateText.h"
#include "platform/controls/Menu.h"
#include "platform/framework/WinApp.h"
#include "resources/quorra/resource.h"

CBlockedListMenu::~CBlockedListMenu() {
    if (menu_ != nullptr) {
        DestroyMenu(menu_);
    }
}

BOOL CBlockedListMenu::LoadMenu() {
    if (menu_ == nullptr) {
        menu_ = LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_FILTER_MENU));
    }
    return menu_ != nullptr;
}

void CBlockedListMenu::Fill(HMENU subMenu, size_t count) const {
    while (GetMenuItemCount(subMenu) > 0) {
        DeleteMenu(subMenu, 0, MF_BYPOSITION);
    }
    count = std::min(count, shown_.size());
    for (size_t i = 0; i < count; ++i) {
        CString text = shown_[i];
        TruncateText(text, kTextWidth);
        AppendMenuA(subMenu, MF_STRING, kFirstCommand + i, text);
    }
}

void CBlockedListMenu::Show(CFilterButton& button, const std::vector<CString>& blockedUrls,
                            CWnd* pOwner) {
    button.StopBlink();
    if (blockedUrls.empty() || menu_ == nullptr) {
        return;
    }
    shown_.assign(blockedUrls.begin(), blockedUrls.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                 blockedUrls.size(), kAllCount)));
    HMENU popup = GetSubMenu(menu_, 0);
    Fill(GetSubMenu(popup, 0), kNewestCount);
    Fill(GetSubMenu(popup, 1), kAllCount);
    RECT rect{};
    button.GetWindowRect(&rect);
    TrackPopupMenu(popup, 0, rect.left + 28, rect.bottom + 1, 0, AfxHwndOf(pOwner), nullptr);
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
