#include "platform/framework/RichEditCtrl.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL AfxInitRichEdit() {
    platform::RegisterRichEditClass();
    return TRUE;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    AfxInitRichEdit();
    return CWnd::Create(RICHEDIT_CLASS10A, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const {
    CHARRANGE range{};
    GetSel(range);
    nStartChar = range.cpMin;
    nEndChar = range.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar) {
    CHARRANGE range{static_cast<LONG>(nStartChar), static_cast<LONG>(nEndChar)};
    SetSel(range);
}

CString CRichEditCtrl::GetSelText() const {
    CHARRANGE range{};
    GetSel(range);
    const LONG length = range.cpMax > range.cpMin ? range.cpMax - range.cpMin : 0;
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    return CString(buffer.data());
}

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const {
    // The control stops at the end of the text, so the buffer never needs to be larger.
    const int length = static_cast<int>(GetTextLength());
    const int last = nLast < 0 || nLast > length ? length : nLast;
    if (nFirst < 0 || last < nFirst) {
        refString.Empty();
        return 0;
    }
    std::vector<char> buffer(static_cast<size_t>(last - nFirst) + 1, '\0');
    TEXTRANGE range{{nFirst, last}, buffer.data()};
    const int copied =
        static_cast<int>(SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    refString = buffer.data();
    return copied;
}

int CRichEditCtrl::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const {
    if (lpszBuffer == nullptr || nMaxLength < static_cast<int>(sizeof(WORD))) {
        return 0;
    }
    const WORD capacity = static_cast<WORD>(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
    std::memcpy(lpszBuffer, &capacity, sizeof(capacity));
    return static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf) {
    cf.cbSize = sizeof(cf);
    return static_cast<BOOL>(
        SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) {
    cf.cbSize = sizeof(cf);
    return static_cast<BOOL>(
        SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const {
    cf.cbSize = sizeof(cf);
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, FALSE, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const {
    cf.cbSize = sizeof(cf);
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf) {
    pf.cbSize = sizeof(pf);
    return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const {
    pf.cbSize = sizeof(pf);
    return static_cast<DWORD>(SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}
