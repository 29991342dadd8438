// What the program's command line asks of start-up. A default object asks for a new document;
// ParseCommandLine fills it from the real arguments through ParseParam.
#pragma once

#include "platform/framework/Object.h"
#include "platform/text/CString.h"

class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;

    // One argument; bFlag when it began with '-' or '/' (which is not passed on).
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
};
