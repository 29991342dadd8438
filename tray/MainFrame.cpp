#include "tray/MainFrame.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "common/AppFolder.h"
#include "manager/ManagerMainDlg.h"
#include "manager/ScheduleList.h"
#include "platform/controls/Clipboard.h"
#include "platform/controls/NotifyIcon.h"
#include "platform/controls/PopupMenu.h"
#include "platform/files/FileApi.h"
#include "platform/process/ProcessApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/system/DriveTypes.h"
#include "platform/system/Mci.h"
#include "platform/system/ProcessToken.h"
#include "platform/system/Shutdown.h"
#include "platform/text/Gbk.h"
#include "platform/time/Clock.h"
#include "resources/dvtp/resource.h"
#include "tray/CaptureOverlayDlg.h"
#include "tray/CaptureResultDlg.h"
#include "tray/HookLibrary.h"
#include "tray/ReminderPopup.h"
#include "tray/ShutdownCountdownDlg.h"
#include "tray/SnapshotFile.h"
#include "tray/TrayApp.h"

namespace {

constexpr UINT kIconId = 128;
constexpr UINT_PTR kScheduleTimer = 1;
constexpr UINT_PTR kHideTimer = 2;
constexpr UINT_PTR kSpareTimer = 3;

SYSTEMTIME Now() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now;
}

NOTIFYICONDATAA IconRecord(HWND window) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = 88;
    icon.hWnd = window;
    icon.uID = kIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_TRAY_NOTIFY;
    icon.hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    std::snprintf(icon.szTip, sizeof icon.szTip, "%s", "Deskvane");
    return icon;
}

// A new bitmap with the `area` of `screen`; null when none can be made.
HBITMAP CutOut(HBITMAP screen, const RECT& area) {
    const int cx = area.right - area.left;
    const int cy = area.bottom - area.top;
    HDC display = ::GetDC(nullptr);
    HDC source = ::CreateCompatibleDC(display);
    HDC target = ::CreateCompatibleDC(display);
    HBITMAP cut = ::CreateCompatibleBitmap(display, cx, cy);
    if (cut != nullptr) {
        HGDIOBJ oldSource = ::SelectObject(source, screen);
        HGDIOBJ oldTarget = ::SelectObject(target, cut);
        ::BitBlt(target, 0, 0, cx, cy, source, area.left, area.top, SRCCOPY);
        ::SelectObject(source, oldSource);
        ::SelectObject(target, oldTarget);
    }
    ::DeleteDC(source);
    ::DeleteDC(target);
    ::ReleaseDC(nullptr, display);
    return cut;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
ON_WM_INITMENUPOPUP()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_COMMAND(ID_SHOW_NEXT_PLAN, ShowNextPlan)
ON_COMMAND(ID_OPEN_MANAGER, OpenManager)
ON_COMMAND(ID_TRAY_EXIT, OnExit)
ON_COMMAND(ID_CAPTURE_FULL_SCREEN, CaptureFullScreen)
ON_COMMAND(ID_CAPTURE_WINDOW, CaptureWindow)
ON_COMMAND(ID_CAPTURE_AREA, CaptureArea)
ON_COMMAND(ID_BOSS_KEY, OnBossKey)
ON_WM_CLOSE()
END_MESSAGE_MAP()

int FindMenuItemByText(CMenu* menu, const char* text) {
    if (menu == nullptr) {
        return -1;
    }
    const int count = static_cast<int>(menu->GetMenuItemCount());
    for (int i = 0; i < count; ++i) {
        char item[256] = {};
        menu->GetMenuString(static_cast<UINT>(i), item, sizeof item, MF_BYPOSITION);
        if (std::strcmp(item, text) == 0) {
            return i;
        }
    }
    return -1;
}

CMainFrame::~CMainFrame() {
    trayMenu_.DestroyMenu();
}

BOOL CMainFrame::DestroyWindow() {
    return CFrameWnd::DestroyWindow();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = (cs.style & ~WS_VISIBLE) | WS_POPUP;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    HookLibrary().Load();
    HookLibrary().InstallMainHook(m_hWnd);
    NOTIFYICONDATAA icon = IconRecord(m_hWnd);
    ::Shell_NotifyIconA(NIM_ADD, &icon);
    trayMenu_.LoadMenu(IDR_MAINFRAME);
    BuildCdMenus();
    LoadAllSettings();
    captureReady_ = 1;
    SetTimer(kScheduleTimer, 5000, nullptr);
    SetTimer(kHideTimer, 100, nullptr);
    SetTimer(kSpareTimer, 5000, nullptr);
    return 0;
}

LRESULT CMainFrame::OnTrayNotify(WPARAM, LPARAM lParam) {
    if (lParam != WM_LBUTTONDOWN && lParam != WM_RBUTTONDOWN) {
        return 1;
    }
    CMenu* menu = trayMenu_.GetSubMenu(0);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    SetForegroundWindow();
    if (menu != nullptr && !closePending_) {
        modalLoops_.push_back(nullptr);
        menu->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
        modalLoops_.pop_back();
        CloseWhenLoopsEnded();
    }
    return 1;
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    // The CD items have no command handlers, so the update would leave them disabled.
    const UINT count = pPopupMenu->GetMenuItemCount();
    for (UINT i = 0; i < count && count != static_cast<UINT>(-1); ++i) {
        pPopupMenu->EnableMenuItem(i, MF_BYPOSITION | MF_ENABLED);
    }
}

int CMainFrame::BuildCdMenus() {
    cdDriveCount_ = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        char root[5];
        std::snprintf(root, sizeof root, "%c:\\", letter);
        if (::GetDriveTypeA(root) == DRIVE_CDROM) {
            std::memcpy(cdDriveRoots_[cdDriveCount_++], root, sizeof root);
        }
    }
    if (cdDriveCount_ == 0) {
        return 0;
    }
    cdOpenMenu_ = std::make_unique<CMenu>();
    cdCloseMenu_ = std::make_unique<CMenu>();
    cdOpenMenu_->CreatePopupMenu();
    cdCloseMenu_->CreatePopupMenu();
    for (int i = 0; i < cdDriveCount_; ++i) {
        cdOpenMenu_->AppendMenu(MF_STRING, kFirstCdOpenCommand + i, cdDriveRoots_[i]);
        cdCloseMenu_->AppendMenu(MF_STRING, kFirstCdCloseCommand + i, cdDriveRoots_[i]);
    }
    const int top = FindMenuItemByText(&trayMenu_, "tpmenu");
    if (top < 0) {
        return 0;
    }
    CMenu* menu = trayMenu_.GetSubMenu(top);
    const int capture = FindMenuItemByText(menu, "屏捕");
    menu->InsertMenu(static_cast<UINT>(capture + 1), MF_BYPOSITION | MF_POPUP,
                     reinterpret_cast<UINT_PTR>(cdOpenMenu_->Detach()), "打开光驱");
    menu->InsertMenu(static_cast<UINT>(capture + 2), MF_BYPOSITION | MF_POPUP,
                     reinterpret_cast<UINT_PTR>(cdCloseMenu_->Detach()), "关闭光驱");
    cdOpenMenu_.reset();
    cdCloseMenu_.reset();
    menu->SetDefaultItem(ID_OPEN_MANAGER);
    return 0;
}

int CMainFrame::LoadAllSettings() {
    const CString folder = GetAppFolder();
    cdKeys_.Load();
    bossKey_.Load();
    snapshot_.Load(std::string_view(folder));
    LoadShutdownTimer();
    backupPlans_.Load();
    reminders_.LoadFile(kScheduleFile, Now());
    return 0;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    switch (pMsg->message) {
        case WM_COMMAND: {
            if (HIWORD(pMsg->wParam) != 0) {
                break;
            }
            const UINT id = LOWORD(pMsg->wParam);
            const UINT count = static_cast<UINT>(cdDriveCount_);
            if (id >= kFirstCdOpenCommand && id < kFirstCdOpenCommand + count) {
                OpenCdTray(static_cast<int>(id - kFirstCdOpenCommand));
                return TRUE;
            }
            if (id >= kFirstCdCloseCommand && id < kFirstCdCloseCommand + count) {
                CloseCdTray(static_cast<int>(id - kFirstCdCloseCommand));
                return TRUE;
            }
            break;
        }
        case WM_SETTINGS_CHANGED:
            LoadAllSettings();
            return TRUE;
        case WM_CAPTURE_FULL:
            CaptureFullScreen();
            return TRUE;
        case WM_CAPTURE_WINDOW:
            CaptureWindow();
            return TRUE;
        case WM_CAPTURE_AREA:
            CaptureArea();
            return TRUE;
        case WM_HOOK_KEY:
            DispatchHotKey(pMsg->wParam, pMsg->lParam);
            return TRUE;
        default:
            break;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::ScanReminders() {
    if (CScheduleRecord* due = reminders_.TakeDue(Now())) {
        ShowReminderPopup(due);
    }
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kSpareTimer) {
        KillTimer(kSpareTimer);
    } else if (nIDEvent == kHideTimer) {
        KillTimer(kHideTimer);
        ShowWindow(SW_HIDE);
    } else if (nIDEvent == kScheduleTimer) {
        CheckShutdownTimer();
        CheckBackupPlans();
        ScanReminders();
    }
    CFrameWnd::OnTimer(nIDEvent);
}

void CMainFrame::ShowNextPlan() {
    ShowReminderPopup(reminders_.NextAfter(Now()));
}

int CMainFrame::ShowReminderPopup(const CScheduleRecord* record) {
    auto* popup = new CReminderPopup;
    if (!popup->Create(IDD_REMINDER_POPUP, nullptr)) {
        delete popup;
        return 0;
    }
    popup->ShowWindow(SW_HIDE);
    popup->ShowRecord(record);
    return 0;
}

void CMainFrame::OpenManager() {
    if (HWND manager = ::FindWindowA(nullptr, kManagerTitle)) {
        ::SetForegroundWindow(manager);
        ::ShowWindow(manager, SW_SHOWNORMAL);
        return;
    }
    char path[260] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    // The second byte of a two-byte character may be a backslash too.
    const std::size_t slash = platform::FindLastChar(path, '\\');
    const std::size_t folder = slash != std::string_view::npos ? slash + 1 : 0;
    if (folder + std::strlen("dv.exe") < sizeof path) {
        std::strcpy(path + folder, "dv.exe");
        ::ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void CMainFrame::OnExit() {
    if (HWND manager = ::FindWindowA(nullptr, kManagerTitle)) {
        ::PostMessageA(manager, WM_CLOSE, 0, 0);
    }
    SendMessage(WM_CLOSE);
}

int CMainFrame::DispatchHotKey(WPARAM key, LPARAM flags) {
    // The hook path stays simple: keys are ignored while a capture runs.
    if ((flags & 8) == 0 || captureReady_ == 0) {
        return 0;
    }
    const auto matches = [&](const HotKeyRecord& record) {
        return record.code != 0 && record.code == key && record.alt == ((flags >> 2) & 1) &&
               record.ctrl == ((flags >> 1) & 1) && record.shift == (flags & 1);
    };
    if (matches(bossKey_.key)) {
        OnBossKey();
    } else if (matches(cdKeys_.open)) {
        for (int i = 0; i < cdDriveCount_; ++i) {
            OpenCdTray(i);
        }
    } else if (matches(cdKeys_.close)) {
        for (int i = 0; i < cdDriveCount_; ++i) {
            CloseCdTray(i);
        }
    } else if (matches(snapshot_.fullScreenKey)) {
        CaptureFullScreen();
    } else if (matches(snapshot_.windowKey)) {
        CaptureWindow();
    } else if (matches(snapshot_.areaKey)) {
        CaptureArea();
    } else {
        return 0;
    }
    return 1;
}

void CMainFrame::OnBossKey() {
    // An empty title names no window.
    HWND window = bossKey_.title[0] == '\0' ? nullptr : ::FindWindowA(nullptr, bossKey_.title);
    if (bossKey_.target != 0 && window != nullptr) {
        if (::IsIconic(window)) {
            ::SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED;
            ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
            ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
            // Made the active window without a click into it.
            ::SetForegroundWindow(window);
        }
        return;
    }
    for (HWND top = ::GetTopWindow(nullptr); top != nullptr; top = ::GetWindow(top, GW_HWNDNEXT)) {
        if (::IsWindowVisible(top) && ::GetWindowTextLengthA(top) > 0 &&
            ::GetParent(top) == nullptr) {
            ::PostMessageA(top, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
    }
}

int CMainFrame::CheckBackupPlans() {
    for (const BackupTask* task : backupPlans_.Due(Now())) {
        StartBackup(*task);
    }
    return 0;
}

int CMainFrame::StartBackup(const BackupTask& task) {
    const CString folder = CBackupPlans::RunFolder(task, Now());
    // The tick comes twelve times in the task's minute: only the first makes the folder.
    if (!::CreateDirectoryA(folder, nullptr)) {
        return 0;
    }
    backupRunner_.Start(task.source, std::string(folder) + "\\");
    return 0;
}

void CMainFrame::MoveCdDoor(int index, const char* position) {
    if (index < 0 || index >= cdDriveCount_) {
        return;
    }
    char command[64];
    std::snprintf(command, sizeof command, "open %s type cdaudio alias mycd wait",
                  cdDriveRoots_[index]);
    ::mciSendStringA(command, nullptr, 0, nullptr);
    std::snprintf(command, sizeof command, "set mycd door %s wait", position);
    ::mciSendStringA(command, nullptr, 0, nullptr);
    ::mciSendStringA("close mycd wait", nullptr, 0, nullptr);
}

int CMainFrame::OpenCdTray(int index) {
    MoveCdDoor(index, "open");
    return 0;
}

int CMainFrame::CloseCdTray(int index) {
    MoveCdDoor(index, "closed");
    return 0;
}

void CMainFrame::CaptureFullScreen() {
    RunCaptures(CCaptureResultDlg::kFullScreen);
}

void CMainFrame::RunCaptures(int action) {
    if (captureReady_ == 0) {
        return;
    }
    captureReady_ = 0;
    while (action != CCaptureResultDlg::kNone && !closePending_) {
        action = action == CCaptureResultDlg::kFullScreen ? CaptureFullScreenOnce()
                 : action == CCaptureResultDlg::kWindow
                     ? CaptureRegionOnce(CCaptureOverlayDlg::kWindowMode)
                     : CaptureRegionOnce(CCaptureOverlayDlg::kAreaMode);
    }
    captureReady_ = 1;
    CloseWhenLoopsEnded();
}

int CMainFrame::CaptureFullScreenOnce() {
    HBITMAP picture = nullptr;
    int width = 0;
    int height = 0;
    GrabScreen(&picture, &width, &height);
    return ShowCapture(picture, width, height);
}

void CMainFrame::CaptureWindow() {
    RunCaptures(CCaptureResultDlg::kWindow);
}

void CMainFrame::CaptureArea() {
    RunCaptures(CCaptureResultDlg::kArea);
}

int CMainFrame::CaptureRegionOnce(int mode) {
    HBITMAP screen = nullptr;
    int width = 0;
    int height = 0;
    GrabScreen(&screen, &width, &height);
    if (width <= 0 || height <= 0) {
        // The frames keep to the screen, whose size is known also without a picture of it.
        width = ::GetSystemMetrics(SM_CXSCREEN);
        height = ::GetSystemMetrics(SM_CYSCREEN);
    }
    CCaptureOverlayDlg overlay;
    overlay.mode = mode;
    overlay.screenPicture = screen;
    overlay.screenWidth = width;
    overlay.screenHeight = height;
    RunModal(overlay);
    HookLibrary().InstallMainHook(m_hWnd);
    int next = CCaptureResultDlg::kNone;
    const RECT& area = overlay.currentRect;
    const int cx = area.right - area.left;
    const int cy = area.bottom - area.top;
    // An empty area counts as cancelled. Without a picture of the screen the capture goes on with
    // none, as a full-screen one does.
    if (overlay.result == 1 && cx > 0 && cy > 0 && !closePending_) {
        next = ShowCapture(screen != nullptr ? CutOut(screen, area) : nullptr, cx, cy);
    }
    if (screen != nullptr) {
        ::DeleteObject(screen);
    }
    return next;
}

int CMainFrame::ShowCapture(HBITMAP picture, int width, int height) {
    char text[64];
    std::snprintf(text, sizeof text, "屏捕信息 [宽=%d, 高=%d]", width, height);
    CString description = text;
    if (snapshot_.toFile != 0) {
        CString path;
        HWND desktop = ::GetDesktopWindow();
        HDC dc = ::GetDC(desktop);
        if (SaveBitmapFile(picture, path, snapshot_.folder, dc) == 1) {
            description += " 保存目录: " + path;
        }
        ::ReleaseDC(desktop, dc);
    }
    if (snapshot_.toClipboard != 0 && picture != nullptr) {
        // The clipboard's own copy, since the dialog frees the picture when it closes. It is made
        // first: without it the user's clipboard is left as it was.
        HBITMAP copy = CopyBitmap(picture, width, height);
        if (copy != nullptr && ::OpenClipboard(m_hWnd)) {
            ::EmptyClipboard();
            if (::SetClipboardData(CF_BITMAP, copy) != nullptr) {
                copy = nullptr;
            }
            ::CloseClipboard();
        }
        if (copy != nullptr) {
            ::DeleteObject(copy);
        }
    }
    CCaptureResultDlg dialog;
    dialog.SetResult(description, width, height, picture);
    RunModal(dialog);
    return dialog.nextAction();
}

INT_PTR CMainFrame::RunModal(CDialog& dialog) {
    if (closePending_) {
        return IDCANCEL;
    }
    modalLoops_.push_back(&dialog);
    const INT_PTR answer = dialog.DoModal();
    // Loops end in the order they began, so this one is the innermost.
    modalLoops_.pop_back();
    return answer;
}

void CMainFrame::CloseWhenLoopsEnded() {
    if (closePending_ && modalLoops_.empty() && captureReady_ != 0) {
        PostMessage(WM_CLOSE);
    }
}

void CMainFrame::OnClose() {
    if (captureReady_ == 0 || !modalLoops_.empty()) {
        // Closing now would destroy the frame under a loop that still runs: every loop ends,
        // innermost first, and the last to return closes the frame.
        closePending_ = true;
        for (auto loop = modalLoops_.rbegin(); loop != modalLoops_.rend(); ++loop) {
            if (*loop == nullptr) {
                ::EndMenu();
            } else if ((*loop)->m_hWnd != nullptr) {
                (*loop)->EndDialog(IDCANCEL);
            }
        }
        return;
    }
    CFrameWnd::OnClose();
}

int CMainFrame::LoadShutdownTimer() {
    shutdown_ = ShutdownSchedule{};
    shutdownArmed_ = shutdown_.Read() ? 1 : 0;
    return 0;
}

int CMainFrame::CheckShutdownTimer() {
    const SYSTEMTIME now = Now();
    if (shutdownArmed_ == 0 || shutdown_.hour != now.wHour || shutdown_.minute != now.wMinute) {
        return 0;
    }
    // Fires once: the manager arms it again by writing the file.
    shutdownArmed_ = 0;
    ::DeleteFileA(kShutdownFile);
    if (shutdown_.countdown != 0) {
        CShutdownCountdownDlg countdown;
        const INT_PTR answer = RunModal(countdown);
        // Closing the program meanwhile cancels the shutdown.
        if (closePending_) {
            CloseWhenLoopsEnded();
            return 1;
        }
        if (answer != IDOK) {
            return 1;
        }
    }
    ShutdownWindows();
    return 0;
}

int CMainFrame::ShutdownWindows() {
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        ::LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        ::CloseHandle(token);
    }
    ::ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0);
    return 0;
}

void CMainFrame::OnDestroy() {
    HookLibrary().Unload();
    // No copy outlives the program's objects.
    backupRunner_.StopAll();
    backupPlans_.Clear();
    reminders_.Clear();
    NOTIFYICONDATAA icon = IconRecord(m_hWnd);
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    CFrameWnd::OnDestroy();
}
