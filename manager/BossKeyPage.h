// The boss-key page, child 2 of the system tools page: the hot key and what it does, either show
// the desktop (every main window minimised) or bring one chosen window to the front. "测试" does
// it at once; saving writes data3\bosskey.dat and tells the tray companion.
#pragma once

#include "manager/BossKeySettings.h"
#include "manager/HintButton.h"
#include "manager/HotKeyPicker.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Dialog.h"

class CBossKeyPage : public CDialog {
public:
    // The picker's place on the page.
    static constexpr RECT kPickerRect{28, 55, 28 + 372, 55 + 25};

    CBossKeyPage();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Saves; the page stays.
    void OnOK() override;

    // 0 read, 1 the defaults (no file).
    int LoadSettings();
    // The desktop entry, then the titles of the visible, parentless, titled top-level windows in
    // Z order ("Program Manager" never); entry 0 selected.
    void FillWindowList();
    void ClearWindowList();
    const BossKeySettings& Settings() const { return settings_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnRefreshWindows();
    afx_msg void OnTest();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    BossKeySettings settings_;
    CHotKeyPicker picker_;
    // The desktop's windows to choose from.
    CComboBox windows_;
    CHintButton save_;
    CHintButton refresh_;
    CHintButton test_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
};
