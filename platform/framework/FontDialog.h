// The framework's font dialog over ChooseFontA. An initial font adds CF_INITTOLOGFONTSTRUCT.
// DoModal returns IDOK with the choice in m_cf, m_lf and the getters, or IDCANCEL.
#pragma once

#include "platform/commondialogs/FontDialogApi.h"
#include "platform/framework/CommonDialog.h"
#include "platform/text/CString.h"

class CDC;

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)

public:
    explicit CFontDialog(LPLOGFONTA lplfInitial = nullptr,
                         DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS, CDC* pdcPrinter = nullptr,
                         CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    void GetCurrentFont(LPLOGFONTA lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    CString GetStyleName() const { return CString(m_szStyleName); }
    // In tenths of a point.
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsBold() const { return m_lf.lfWeight == FW_BOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

    CHOOSEFONTA m_cf{};
    LOGFONTA m_lf{};

protected:
    char m_szStyleName[64] = {};
};
