// The drop-down menu of the addresses blocked in this run, shown under the filter button: its
// first sub-menu lists the 10 newest, its second the 200 newest, each address as the command
// kFirstCommand + its index in the list. The addresses go in as plain strings; the skinned menu
// makes them owner-drawn when their sub-menu opens.
//
// The list grows at its front while the menu is open or its command waits in the queue, so the
// menu keeps the addresses as they were shown and resolves its commands against them.
#pragma once

#include <vector>

#include "browser/MenuEx.h"
#include "platform/base/WinTypes.h"
#include "platform/text/CString.h"

class CBrowserDataStore;
class CBrowserFrame;
class CFilterButton;
class CWnd;

class CBlockedListMenu {
public:
    static constexpr UINT kFirstCommand = 1174;
    static constexpr UINT kLastCommand = 1674;
    static constexpr size_t kNewestCount = 10;
    static constexpr size_t kAllCount = 200;
    // Entries are cut to this display width in bytes.
    static constexpr int kTextWidth = 80;

    // Loads the menu resource; FALSE when it is missing.
    BOOL LoadMenu();
    // Stops the button's blinking; with blocked addresses, fills the menu and tracks it below
    // the button. The chosen command is posted to the owner.
    void Show(CFilterButton& button, const std::vector<CString>& blockedUrls, CWnd* pOwner);
    // The address the command stood for when the menu was last shown; empty when it stood for
    // none.
    CString GetUrl(UINT nID) const;
    // A command of the menu: its address becomes allowed and opens in a new, current tab. 0 when
    // opened, 1 when the command stood for no address.
    int OpenBlockedPage(UINT nID, CBrowserDataStore& store, CBrowserFrame& frame) const;

    HMENU GetSafeHmenu() const { return menu_.GetSafeHmenu(); }

private:
    // Refills one sub-menu with the first `count` shown addresses.
    void Fill(CMenu& subMenu, size_t count) const;

    CMenuEx menu_;
    std::vector<CString> shown_;
};
