#include "platform/framework/StatusBarCtrl.h"

#include <vector>

#include "platform/framework/OwnerDrawItems.h"

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

namespace {

// The most SB_GETTIPTEXT copies, as the control's tips are short.
constexpr int kTipTextLimit = 256;

}  // namespace

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    platform::RegisterStatusBarClass();
    return CWnd::Create(STATUSCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::SetText(LPCSTR lpszText, int nPane, int nType) {
    return static_cast<BOOL>(SendMessage(SB_SETTEXT, static_cast<WPARAM>(nPane | nType),
                                         reinterpret_cast<LPARAM>(lpszText)));
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const {
    const auto result =
        static_cast<DWORD>(SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(nPane)));
    if (pType != nullptr) {
        *pType = HIWORD(result);
    }
    return LOWORD(result);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const {
    const int length = GetTextLength(nPane, pType);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const auto result = static_cast<DWORD>(SendMessage(SB_GETTEXT, static_cast<WPARAM>(nPane),
                                                       reinterpret_cast<LPARAM>(buffer.data())));
    if (pType != nullptr) {
        *pType = HIWORD(result);
    }
    return CString(buffer.data());
}

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const {
    int borders[3] = {};
    const auto found =
        static_cast<BOOL>(SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
    nHorz = borders[0];
    nVert = borders[1];
    nSpacing = borders[2];
    return found;
}

CString CStatusBarCtrl::GetTipText(int nPane) const {
    char buffer[kTipTextLimit] = {};
    SendMessage(SB_GETTIPTEXT, MAKEWPARAM(nPane, kTipTextLimit), reinterpret_cast<LPARAM>(buffer));
    return CString(buffer);
}

void CStatusBarCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBarCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (platform::ReflectDrawItem(*this, message, lParam, pResult)) {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
