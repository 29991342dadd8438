// The options dialog: edits the user options of the settings store (start page, page display,
// tab position, news ticker, update announcements), the current page's automatic refresh, which
// the caller gives and takes back, and the skin, which it applies at once.
#pragma once

#include "platform/framework/ComboBox.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/Edit.h"
#include "platform/framework/ListBox.h"

class COptionsDlg : public CDialog {
public:
    explicit COptionsDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CEdit m_startUrlEdit;
    // The skin names, sorted by the list box itself.
    CListBox m_skinList;
    CComboBox m_unitCombo;
    CEdit m_timeEdit;
    // Set by the caller before DoModal and read after IDOK. The unit is the combo's index: 0
    // seconds, 1 minutes.
    int m_nRefreshTime = 5;
    int m_nRefreshUnit = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Writes the options into the store, which keeps them until its next save.
    void OnOK() override;
    afx_msg void OnNewsChoice();
    afx_msg void OnApplySkin();

    DECLARE_MESSAGE_MAP()
};
