#include "platform/framework/FileDialog.h"

#include <cstring>

#include "platform/text/Gbk.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog) {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = dwFlags;
    if (lpszDefExt != nullptr) {
        defaultExtension_ = lpszDefExt;
        m_ofn.lpstrDefExt = defaultExtension_.c_str();
    }
    if (lpszFileName != nullptr) {
        const size_t length = platform::CutAtCharBoundary(lpszFileName, sizeof m_szFileName - 1);
        std::memcpy(m_szFileName, lpszFileName, length);
    }
    if (lpszFilter != nullptr) {
        m_strFilter = lpszFilter;
        const std::string_view given(lpszFilter);
        for (size_t at = 0; at < given.size();) {
            const size_t width = platform::CharLengthAt(given, at);
            if (width == 1 && given[at] == '|') {
                filter_ += '\0';
            } else {
                filter_.append(given, at, width);
            }
            at += width;
        }
        // The system's form ends with an empty text.
        filter_ += '\0';
        m_ofn.lpstrFilter = filter_.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerWindow();
    const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const {
    return CString(m_ofn.lpstrFile + m_ofn.nFileOffset);
}

CString CFileDialog::GetFileExt() const {
    if (m_ofn.nFileExtension == 0) {
        return CString();
    }
    return CString(m_ofn.lpstrFile + m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const {
    const CString name = GetFileName();
    // Without an extension nFileExtension is 0 (a name ending in '.') or points at the end.
    if (m_ofn.nFileExtension <= m_ofn.nFileOffset ||
        m_ofn.lpstrFile[m_ofn.nFileExtension] == '\0') {
        return name;
    }
    return name.Left(m_ofn.nFileExtension - m_ofn.nFileOffset - 1);
}
