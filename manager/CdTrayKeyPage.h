// The CD-tray keys page, child 3 of the system tools page: the hot keys that open and close the
// CD tray, saved to data3\cdkey.dat for the tray companion.
#pragma once

#include "manager/CdKeySettings.h"
#include "manager/HintButton.h"
#include "manager/HotKeyPicker.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CCdTrayKeyPage : public CDialog {
public:
    static constexpr RECT kOpenPickerRect{28, 55, 28 + 372, 55 + 25};
    static constexpr RECT kClosePickerRect{28, 125, 28 + 372, 125 + 25};

    CCdTrayKeyPage();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Saves; the page stays.
    void OnOK() override;

    // 0 read, 1 the defaults (no file).
    int LoadSettings();
    const CdKeySettings& Settings() const { return settings_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CdKeySettings settings_;
    CHotKeyPicker openPicker_;
    CHotKeyPicker closePicker_;
    CHintButton save_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
};
