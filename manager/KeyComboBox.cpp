#include "manager/KeyComboBox.h"

#include "manager/KeyNameTable.h"

int CKeyComboBox::FillKeyNames() {
    const CKeyNameTable& table = KeyNames();
    int added = 0;
    for (int index = 0; index < table.Count(); ++index) {
        if (AddString(table.Row(index).name) >= 0) {
            ++added;
        }
    }
    return added;
}

BOOL CKeyComboBox::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->hwnd == m_hWnd || ::GetParent(pMsg->hwnd) == m_hWnd)) {
        int index = 0;
        KeyNames().FindKey(static_cast<unsigned>(pMsg->wParam), index);
        SetCurSel(index);
        return TRUE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}
