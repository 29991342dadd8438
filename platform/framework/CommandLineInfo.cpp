#include "platform/framework/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL) {
    const CString param(pszParam);
    if (bFlag) {
        if (param.CompareNoCase("pt") == 0) {
            m_nShellCommand = FilePrintTo;
        } else if (param.CompareNoCase("p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (param.CompareNoCase("dde") == 0) {
            m_nShellCommand = FileDDE;
        } else if (param.CompareNoCase("Unregister") == 0 ||
                   param.CompareNoCase("Unregserver") == 0) {
            m_nShellCommand = AppUnregister;
        } else if (param.CompareNoCase("Embedding") == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (param.CompareNoCase("Automation") == 0) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew) {
            m_nShellCommand = FileOpen;
        }
    }
}
