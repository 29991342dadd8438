// A page of the main window: a child dialog created on first use, laid out once after creation
// (and then on each resize), and driven by the main window's page commands.
#pragma once

#include "platform/framework/Dialog.h"

class CManagerPage : public CDialog {
public:
    explicit CManagerPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    BOOL Create(CWnd* parent) { return CDialog::Create(m_lpszTemplateName, parent); }
    // Registers the page's painter rectangles: 1 while its controls do not exist yet, else 0.
    virtual int RecalcLayout() = 0;
    // The page's command `index` of the main window's command table; pages without commands do
    // nothing. Returns 0.
    virtual int OnButton(int) { return 0; }
    // Hides the sub-page the page shows, if any, so that the page opens on its own front when
    // the main window shows it again. Returns 0.
    virtual int HideSubPage() { return 0; }
};
