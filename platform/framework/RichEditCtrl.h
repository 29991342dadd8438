// The framework's rich edit control: the rich edit's messages as members. Positions count bytes
// of the GBK text, a line end counting two.
#pragma once

#include "platform/controls/Edit.h"
#include "platform/controls/RichEdit.h"
#include "platform/framework/Wnd.h"

// Makes the rich edit control available to dialogs and Create; always succeeds.
BOOL AfxInitRichEdit();

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)

public:
    CRichEditCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Text and selection.
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    void GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    void GetSel(long& nStartChar, long& nEndChar) const;
    // (0, -1) selects everything; a start of -1 removes the selection.
    void SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    void SetSel(long nStartChar, long nEndChar);
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE) {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo),
                    reinterpret_cast<LPARAM>(lpszNewText));
    }
    CString GetSelText() const;
    // The text from nFirst up to nLast (-1: the end); gives its length.
    int GetTextRange(int nFirst, int nLast, CString& refString) const;
    WORD GetSelectionType() const { return static_cast<WORD>(SendMessage(EM_SELECTIONTYPE)); }
    void HideSelection(BOOL bHide, BOOL bPerm) {
        SendMessage(EM_HIDESELECTION, static_cast<WPARAM>(bHide), static_cast<LPARAM>(bPerm));
    }
    // 0 sets the largest limit.
    void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }

    // Lines.
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    long LineFromChar(long nIndex) const {
        return static_cast<long>(SendMessage(EM_EXLINEFROMCHAR, 0, nIndex));
    }
    int LineIndex(int nLine = -1) const {
        return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(nLine)));
    }
    int LineLength(int nLine = -1) const {
        return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(nLine)));
    }
    // Copies line nIndex without a terminating zero; 0 for a buffer too small to say its size.
    int GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const;

    // Formats. The members fill in cbSize. The Get members give the mask of what is the same over
    // the whole selection.
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    BOOL SetParaFormat(PARAFORMAT& pf);
    DWORD GetParaFormat(PARAFORMAT& pf) const;
    // bSysColor uses the window colour; gives the previous colour.
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr) {
        return static_cast<COLORREF>(
            SendMessage(EM_SETBKGNDCOLOR, static_cast<WPARAM>(bSysColor), static_cast<LPARAM>(cr)));
    }

    // Events: ENM_ flags; SetEventMask gives the previous mask.
    long GetEventMask() const { return static_cast<long>(SendMessage(EM_GETEVENTMASK)); }
    DWORD SetEventMask(DWORD dwEventMask) {
        return static_cast<DWORD>(
            SendMessage(EM_SETEVENTMASK, 0, static_cast<LPARAM>(dwEventMask)));
    }

    // Editing.
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
    }
    BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    BOOL CanPaste(UINT nFormat = 0) const {
        return static_cast<BOOL>(SendMessage(EM_CANPASTE, nFormat));
    }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL bModified = TRUE) {
        SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified));
    }

    // Streams of SF_TEXT through the callback; give the bytes moved.
    long StreamIn(int nFormat, EDITSTREAM& es) {
        return static_cast<long>(
            SendMessage(EM_STREAMIN, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
    }
    long StreamOut(int nFormat, EDITSTREAM& es) {
        return static_cast<long>(
            SendMessage(EM_STREAMOUT, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
    }
};
