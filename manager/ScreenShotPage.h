// The screen-shot settings page, child 5 of the system tools page: the tray companion's three
// capture hot keys (full screen, one window, an area), whether a capture goes to the clipboard
// and to a .bmp file, and the files' folder, saved to data3\snapshot.dat. The three capture
// buttons ask the tray companion to capture at once.
#pragma once

#include "manager/HintButton.h"
#include "manager/HotKeyPicker.h"
#include "manager/SnapshotSettings.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

// The tray companion's capture requests.
inline constexpr unsigned kCaptureFullMessage = 1031;
inline constexpr unsigned kCaptureWindowMessage = 1032;
inline constexpr unsigned kCaptureAreaMessage = 1033;

class CScreenShotPage : public CDialog {
public:
    CScreenShotPage();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // 0 read, 1 the defaults (no file).
    int LoadSettings();
    // The capture buttons and their pickers in rows; nothing before the pickers exist.
    void RecalcLayout();
    const SnapshotSettings& Settings() const { return settings_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSaveSettings();
    afx_msg void OnCaptureScreen();
    afx_msg void OnCaptureWindow();
    afx_msg void OnCaptureArea();
    afx_msg void BrowseForFolder();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // Minimises the manager and posts the request to the tray companion, when it runs.
    void RequestCapture(unsigned message);

    SnapshotSettings settings_;
    CHotKeyPicker fullScreenPicker_;
    CHotKeyPicker windowPicker_;
    CHotKeyPicker areaPicker_;
    CHintButton captureScreen_;
    CHintButton captureWindow_;
    CHintButton captureArea_;
    // The two check boxes hover like the buttons.
    CHintButton toClipboard_;
    CHintButton toFile_;
    CHintButton browse_;
    CHintButton save_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
};
