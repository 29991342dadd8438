// The options page: whether the tray companion starts with the system (the Run value "dv09"),
// saved with its button or Enter, which also records the program's version and folder.
#pragma once

#include "manager/HintButton.h"
#include "manager/ManagerPage.h"
#include "manager/PagePainter.h"
#include "platform/drawing/Brush.h"

inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "dv09";
inline constexpr char kProgramKey[] = "software\\larchway5\\dv";

class COptionsPage : public CManagerPage {
public:
    COptionsPage();

    // Reads the Run value into the check box, then the page's skin; TRUE when the skin loaded.
    BOOL OnInitDialog() override;
    // Esc does nothing here; Enter reaches the save button.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Saves; the page stays.
    void OnOK() override;

    // 1 until the controls exist, else 0.
    int RecalcLayout() override;
    void DrawTitle();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CPagePainter painter_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
    CHintButton save_;
};
