// The skin chooser: lists the skins of data\skin\, previews one by copying it over
// data\skin.ini, keeps it on "选择皮肤" and puts the skin of the moment it opened back on "关闭".
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/ListBox.h"

class CSkinDlg : public CDialog {
public:
    explicit CSkinDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    // The skin names, sorted by the list box itself.
    CListBox m_skinList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Undoes every preview from the backup taken at opening.
    void OnCancel() override;
    afx_msg void OnPreviewSkin();
    afx_msg void OnSelectSkin();
    afx_msg void OnMakeSkin();

    DECLARE_MESSAGE_MAP()
};

// Loads data\skin.ini through the application and repaints the main frame's chrome, each when it
// is there.
void ReloadSkin();
// Adds the title of every data\skin\*.ini to the list box, relative to the current directory.
void ListSkins(CListBox& list);
// Copies the skin selected in the list box over data\skin.ini and shows it; false without a
// selection.
bool ApplySelectedSkin(CListBox& list);
