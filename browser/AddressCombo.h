// The address box: an editable combo box whose list is the visited-address history. It opens
// its list as soon as the user types, and Enter opens the typed address in the current tab.
#pragma once

#include "platform/framework/ComboBox.h"

class CBrowserDataStore;

class CAddressCombo : public CComboBox {
    DECLARE_DYNAMIC(CAddressCombo)

public:
    CAddressCombo() = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Replaces the list by the store's visited addresses, newest first, unless the list is open.
    void RefillFromVisited(const CBrowserDataStore& store);

protected:
    afx_msg void OnEditChange();
    DECLARE_MESSAGE_MAP()

private:
    // True when the key was a clipboard or select-all shortcut, which the box then has done.
    bool HandleShortcut(WPARAM key);
};
