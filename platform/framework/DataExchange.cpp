#include "platform/framework/DataExchange.h"

#include "platform/controls/Edit.h"
#include "platform/framework/UserException.h"
#include "platform/framework/Wnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND control = ::GetDlgItem(AfxHwndOf(m_pDlgWnd), nIDC);
    m_bEditLastControl = FALSE;
    if (control == nullptr) {
        m_idLastControl = 0;
        Fail();
    }
    m_idLastControl = static_cast<UINT>(nIDC);
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail() {
    HWND dialog = AfxHwndOf(m_pDlgWnd);
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        if (HWND control = ::GetDlgItem(dialog, static_cast<int>(m_idLastControl))) {
            // Through the dialog, so that it also updates its default button.
            ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
            if (m_bEditLastControl) {
                ::SendMessageA(control, EM_SETSEL, 0, -1);
            }
        }
    }
    AfxThrowUserException();
}
