// The dialog that adds a keyword or an address to the favourites list: a type (keyword or
// address) and a value. OK adds the trimmed value unless it is empty, and closes either way.
#pragma once

#include "platform/framework/Dialog.h"

namespace glintora {
class CMainFrame;
}

class CFavoriteAddDlg : public CDialog {
public:
    enum { IDD = 158 };
    static constexpr int kKeywordRadio = 1053;
    static constexpr int kUrlRadio = 1054;
    static constexpr int kValueEdit = 1018;
    static constexpr int kOkButton = 1036;

    CFavoriteAddDlg(glintora::CMainFrame& rFrame, CWnd* pParent);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnAdd();
    DECLARE_MESSAGE_MAP()

private:
    glintora::CMainFrame& m_frame;
};
