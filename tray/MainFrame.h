// The tray companion's main window: a hidden pop-up tool window titled "DeskvaneTP" that owns the
// notification-area icon and its menu, the 5-second schedule timer and the keyboard hook, and
// that takes the manager's messages (1030 reload every settings file; 1031 to 1033 capture). It
// reads the manager's data3\ files and never writes them.
#pragma once

#include <memory>
#include <vector>

#include "manager/BossKeySettings.h"
#include "manager/CdKeySettings.h"
#include "manager/ShutdownSchedule.h"
#include "manager/SnapshotSettings.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Menu.h"
#include "tray/BackupPlans.h"
#include "tray/BackupRunner.h"
#include "tray/ReminderList.h"

class CDialog;

inline constexpr UINT WM_TRAY_NOTIFY = 1029;
inline constexpr UINT WM_CAPTURE_FULL = 1031;
inline constexpr UINT WM_CAPTURE_WINDOW = 1032;
inline constexpr UINT WM_CAPTURE_AREA = 1033;

class CMainFrame : public CFrameWnd {
public:
    static constexpr UINT kFirstCdOpenCommand = 1224;
    static constexpr UINT kFirstCdCloseCommand = 1254;

    CMainFrame() = default;
    ~CMainFrame() override;

    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Reads every settings file of the program folder anew; a missing file gives that reader's
    // defaults. Returns 0.
    int LoadAllSettings();
    // Finds the CD drives and inserts their sub-menus after "屏捕". Returns 0.
    int BuildCdMenus();
    // The first plan after now, or the pop-up's "no next plan".
    void ShowNextPlan();
    // A new reminder pop-up showing a copy of `record` (null: "暂无下一个计划"). Returns 0.
    int ShowReminderPopup(const CScheduleRecord* record);
    // Raises the manager, or starts dv.exe beside this program.
    void OpenManager();
    // Ends the manager too, then this program.
    void OnExit();

    // Runs the first action whose hot key is `key` with exactly the modifiers of `flags` (bit 2
    // Alt, bit 1 Ctrl, bit 0 Shift; bit 3 must be set): boss key, CD open, CD close, then the
    // three captures. 1 when one matched; always 0 while a capture runs.
    int DispatchHotKey(WPARAM key, LPARAM flags);
    // Brings the boss key's window forward (restoring it when minimised), or, in mode 0 or
    // without that window, minimises every visible, titled, unowned top-level window.
    void OnBossKey();
    // Copies each backup task due now into a new folder of its own, once per minute.
    int CheckBackupPlans();
    int StartBackup(const BackupTask& task);
    // data3\sdc.dat: its presence arms a shutdown at its hour and minute. Returns 0.
    int LoadShutdownTimer();
    // At the armed minute: disarms, deletes the file, shows the countdown when asked and shuts
    // down. 1 when the countdown was cancelled (or the program closed meanwhile), else 0.
    int CheckShutdownTimer();
    // Enables the shutdown privilege and asks for a power-off. Returns 0.
    int ShutdownWindows();
    // Waits for the backup copies that run (tests).
    void WaitForBackups() { backupRunner_.WaitAll(); }

    // The door of CD drive `index` (0 .. count - 1; others do nothing), through the MCI strings.
    // Returns 0.
    int OpenCdTray(int index);
    int CloseCdTray(int index);

    // Captures, each followed by the result dialog, from which the next one can be chained; a
    // request while a capture runs is ignored.
    void CaptureFullScreen();
    void CaptureWindow();
    void CaptureArea();

    const CReminderList& reminders() const { return reminders_; }
    CMenu& trayMenu() { return trayMenu_; }
    int cdDriveCount() const { return cdDriveCount_; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    void ScanReminders();
    void MoveCdDoor(int index, const char* position);
    // Runs `action` and the captures chained from the result dialogs, one after the other.
    void RunCaptures(int action);
    // One full-screen capture; returns the result dialog's next action.
    int CaptureFullScreenOnce();
    // One window (mode 1) or area (mode 2) capture through the overlay; returns the result
    // dialog's next action, none when the overlay was left without a picture.
    int CaptureRegionOnce(int mode);
    // Description, file and clipboard of a picture, then the result dialog; returns its next
    // action.
    int ShowCapture(HBITMAP picture, int width, int height);
    // Runs `dialog` modally as the innermost of the frame's modal loops; IDCANCEL without running
    // it once the frame is to close.
    INT_PTR RunModal(CDialog& dialog);
    // Closes the frame once a close that came during its modal loops can be carried out.
    void CloseWhenLoopsEnded();

    CMenu trayMenu_;
    CReminderList reminders_;
    int cdDriveCount_ = 0;
    char cdDriveRoots_[26][5] = {};
    // Until they are inserted into the tray menu, which then owns their menus.
    std::unique_ptr<CMenu> cdOpenMenu_;
    std::unique_ptr<CMenu> cdCloseMenu_;
    CdKeySettings cdKeys_;
    BossKeySettings bossKey_;
    SnapshotSettings snapshot_;
    int shutdownArmed_ = 0;
    ShutdownSchedule shutdown_;
    CBackupPlans backupPlans_;
    CBackupRunner backupRunner_;
    int captureReady_ = 1;
    // The modal loops that run on the frame's behalf, innermost last: a dialog's (a capture's, the
    // shutdown countdown), or the tray menu's (null). They nest, e.g. a capture started from the
    // tray while the countdown waits. A close that comes meanwhile ends them all, and the frame
    // closes once the outermost has returned, never under a loop that still runs.
    std::vector<CDialog*> modalLoops_;
    bool closePending_ = false;
};

// The position of the first item of `menu` whose text is exactly `text`, -1 when none.
int FindMenuItemByText(CMenu* menu, const char* text);
