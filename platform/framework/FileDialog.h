// The framework's open and save dialog over GetOpenFileNameA and GetSaveFileNameA.
//
// The filter is given in the framework's form, "description|patterns|...||": each '|' (never
// the second byte of a GBK character) becomes the NUL of the system's form. DoModal returns IDOK
// with the choice in m_ofn and the getters, or IDCANCEL when the user cancelled or the call
// failed (CommDlgExtendedError tells which).
#pragma once

#include <string>

#include "platform/commondialogs/FileDialogApi.h"
#include "platform/framework/CommonDialog.h"
#include "platform/text/CString.h"

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)

public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr,
                         LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    // "C:\docs\page.htm", "page.htm", "htm" and "page".
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEA m_ofn{};

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    char m_szFileTitle[64] = {};
    char m_szFileName[MAX_PATH] = {};

private:
    std::string filter_;
    std::string defaultExtension_;
};
