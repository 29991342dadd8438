// The about box: the program's name and version over the fixed lines of its dialog template.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/Static.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = 100 };
    // The static that shows the name and version.
    static constexpr int kVersionStatic = 1019;

    CAboutDlg();

    CStatic m_version;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
