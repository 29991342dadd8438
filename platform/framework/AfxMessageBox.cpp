#include "platform/framework/AfxMessageBox.h"

#include "platform/framework/SafeOwner.h"
#include "platform/framework/WinApp.h"
#include "platform/text/CString.h"

namespace {

UINT WithDefaultIcon(UINT nType) {
    if ((nType & MB_ICONMASK) != 0) {
        return nType;
    }
    switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            return nType | MB_ICONEXCLAMATION;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return nType | MB_ICONQUESTION;
        default:
            return nType;
    }
}

}  // namespace

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
    return ::MessageBoxA(platform::SafeOwnerWindow(nullptr), lpszText, AfxGetAppName(),
                         WithDefaultIcon(nType));
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString prompt;
    prompt.LoadString(nIDPrompt);
    return AfxMessageBox(prompt, nType, nIDHelp);
}
