#include "browser/AddressCombo.h"

#include "browser/BrowserDataStore.h"
#include "browser/ChromeHost.h"

IMPLEMENT_DYNAMIC(CAddressCombo, CComboBox)

BEGIN_MESSAGE_MAP(CAddressCombo, CComboBox)
ON_CONTROL_REFLECT(CBN_EDITCHANGE, OnEditChange)
END_MESSAGE_MAP()

// Typing is handled before the key reaches the box; the frame needs no word of each change.
void CAddressCombo::OnEditChange() {}

bool CAddressCombo::HandleShortcut(WPARAM key) {
    if (::GetKeyState(VK_CONTROL) >= 0) {
        return false;
    }
    switch (key) {
        case 'A':
            SetEditSel(0, -1);
            return true;
        case 'C':
            SendMessage(WM_COPY);
            return true;
        case 'V':
            SendMessage(WM_PASTE);
            return true;
        case 'X':
            SendMessage(WM_CUT);
            return true;
        default:
            return false;
    }
}

BOOL CAddressCombo::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN) {
        return CComboBox::PreTranslateMessage(pMsg);
    }
    switch (pMsg->wParam) {
        case VK_BACK:
            if (GetWindowTextLength() == 0 && GetDroppedState()) {
                ShowDropDown(FALSE);
            }
            break;
        case VK_RETURN: {
            CString text;
            GetWindowText(text);
            ShowDropDown(FALSE);
            SetWindowText(text);
            if (ChromeHost* host = ChromeHost::Of(this)) {
                host->GoToAddress();
            }
            break;
        }
        case VK_ESCAPE:
            if (GetDroppedState()) {
                ShowDropDown(FALSE);
            }
            break;
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
        case VK_CAPITAL:
        case VK_END:
        case VK_HOME:
            break;
        default:
            if (HandleShortcut(pMsg->wParam)) {
                return TRUE;
            }
            if (!GetDroppedState()) {
                // Opening the list selects the matching item, which would replace the typed
                // text and its selection.
                CString text;
                GetWindowText(text);
                DWORD selection = GetEditSel();
                ShowDropDown(TRUE);
                SetWindowText(text);
                SetEditSel(LOWORD(selection), HIWORD(selection));
            }
            break;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

void CAddressCombo::RefillFromVisited(const CBrowserDataStore& store) {
    if (GetDroppedState()) {
        return;
    }
    // Deleted one by one: resetting the content would empty the typed text too.
    for (int index = GetCount() - 1; index >= 0; --index) {
        DeleteString(static_cast<UINT>(index));
    }
    for (const CString& url : store.visitedUrls) {
        AddString(url);
    }
}
