#include "manager/ManagerMainDlg.h"

#include <cstring>
#include <string>

#include "common/AppFolder.h"
#include "common/SignalCloser.h"
#include "manager/AboutPage.h"
#include "manager/AddressBookPage.h"
#include "manager/CalendarPage.h"
#include "manager/DialogKeyFilter.h"
#include "manager/DiaryPage.h"
#include "manager/GMyCaDlg.h"
#include "manager/LedgerPage.h"
#include "manager/LookupPage.h"
#include "manager/OptionsPage.h"
#include "manager/ScheduleList.h"
#include "manager/SkinConfig.h"
#include "manager/TextNumber.h"
#include "platform/drawing/IconApi.h"
#include "platform/framework/EventSinkMap.h"
#include "platform/framework/WinApp.h"
#include "platform/process/ProcessApi.h"
#include "platform/screen/PaintDC.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CManagerMainDlg, CDialog)
ON_WM_SIZE()
ON_WM_CTLCOLOR()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CManagerMainDlg, CDialog)
ON_EVENT(CManagerMainDlg, CManagerMainDlg::kBrowserId, 102, OnStatusTextChange, VTS_BSTR)
END_EVENTSINK_MAP()

namespace {

constexpr char kMenuPage[] = "data2/menu.htm";
constexpr char kBandPage[] = "data2/logo.htm";
constexpr char kErrorReadingConfig[] = "读配置文件出错.";

// The slot of a page number, -1 for a number that shows no page.
int SlotOf(int number) {
    switch (number) {
        case 0:
        case 1:
            return number;
        case 2:
        case 20:
            return 2;
        case 3:
        case 30:
            return 3;
        case 4:
        case 5:
        case 6:
            return number;
        case 8:
            return 7;
        default:
            return -1;
    }
}

// Numbers that always run, even straight after themselves.
bool AlwaysRuns(int number) {
    return number == 60 || number == 61 || number == 90 || number == 91 || number == 92;
}

}  // namespace

CManagerMainDlg::CManagerMainDlg(CWnd* pParentWnd) : CDialog(IDD_MAIN, pParentWnd) {}

CManagerMainDlg::~CManagerMainDlg() = default;

std::unique_ptr<CManagerPage> CManagerMainDlg::CreatePage(int slot) {
    switch (slot) {
        case 0:
            return std::make_unique<CCalendarPage>();
        case 1:
            return std::make_unique<GMyCaDlg>();
        case 2:
            return std::make_unique<COptionsPage>();
        case 3:
            return std::make_unique<CAboutPage>();
        case 4:
            return std::make_unique<CLedgerPage>();
        case 5:
            return std::make_unique<CLookupPage>();
        case 6:
            return std::make_unique<CDiaryPage>();
        case 7:
            return std::make_unique<CAddressBookPage>();
        default:
            return nullptr;
    }
}

BOOL CManagerMainDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (closer_ != nullptr) {
        closer_->Watch(m_hWnd);
    }
    icon_ = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    SetIcon(icon_, TRUE);
    SetIcon(icon_, FALSE);

    if (LoadMainSkin() != 0) {
        MessageBox(kErrorReadingConfig);
        return FALSE;
    }

    const RECT start{0, 0, 100, 100};
    m_wndBand.Create("logo", WS_CHILD | WS_VISIBLE, start, this, kBrowserId);
    m_wndMenu.Create("logo", WS_CHILD | WS_VISIBLE, start, this, kBrowserId);
    SetWindowText(kManagerTitle);

    if (::FindWindowA(nullptr, kTrayTitle) == nullptr) {
        ::ShellExecuteA(nullptr, "open", "dvtp.exe", nullptr, nullptr, SW_SHOWNORMAL);
    }

    CRect desktop;
    ::GetClientRect(::GetDesktopWindow(), &desktop);
    int x = state_.left;
    int y = state_.top;
    if (x < -5 || x > desktop.Width() - 100) {
        x = 0;
    }
    if (y < -5 || y > desktop.Height() - 100) {
        y = 0;
    }
    state_.left = x;
    state_.top = y;
    state_.right = x + kWidth;
    state_.bottom = y + kHeight;
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, kWidth, kHeight, SWP_FRAMECHANGED);

    ShowPage(0);

    const CString folder = GetAppFolder();
    const CString menu = "file://" + folder + kMenuPage;
    m_wndMenu.Navigate(menu, nullptr, nullptr, nullptr, nullptr);
    const CString band = "file://" + folder + kBandPage;
    m_wndBand.Navigate(band, nullptr, nullptr, nullptr, nullptr);
    return TRUE;
}

int CManagerMainDlg::LoadMainSkin() {
    state_.Read(kWindowStateFile);
    char value[1024];
    return ReadSkinValue(kSkinConfigFile, kMainSkinKey, value, sizeof(value));
}

BOOL CManagerMainDlg::DestroyWindow() {
    CRect window;
    GetWindowRect(&window);
    MainWindowState saved = state_;
    saved.left = window.left;
    saved.top = window.top;
    saved.right = window.right;
    saved.bottom = window.bottom;
    saved.Write(kWindowStateFile);
    current_ = nullptr;
    for (std::unique_ptr<CManagerPage>& page : pages_) {
        if (page != nullptr) {
            page->DestroyWindow();
            page.reset();
        }
    }
    return CDialog::DestroyWindow();
}

BOOL CManagerMainDlg::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CManagerMainDlg::OnStatusTextChange(LPCSTR text) {
    if (text != nullptr && std::strncmp(text, "fun ", 4) == 0) {
        ShowPage(ParseTextNumber(text + 4));
    }
}

void CManagerMainDlg::HideCurrentPage() {
    if (current_ != nullptr) {
        current_->ShowWindow(SW_HIDE);
        current_ = nullptr;
    }
}

void CManagerMainDlg::ShowSlot(int slot) {
    std::unique_ptr<CManagerPage>& page = pages_[slot];
    if (page == nullptr) {
        page = CreatePage(slot);
        if (page == nullptr) {
            return;
        }
        if (!page->Create(this)) {
            page.reset();
            return;
        }
        page->RecalcLayout();
    }
    page->HideSubPage();
    LayoutPages();
    page->ShowWindow(SW_SHOW);
    current_ = page.get();
}

void CManagerMainDlg::RunPageCommand(int slot, int index) {
    // The nested call shows the page; being below 10 it is never filtered, and it becomes the
    // previous accepted number in place of the command's own.
    ShowPage(slot == 7 ? 8 : slot);
    LayoutPages();
    if (CManagerPage* page = pages_[slot].get()) {
        page->OnButton(index);
    }
}

int CManagerMainDlg::ShowPage(int number) {
    if (number > 9 && number == previous_ && !AlwaysRuns(number)) {
        return 1;
    }
    previous_ = number;
    if (number < 10 || number == 20 || number == 30) {
        HideCurrentPage();
    }
    const int slot = SlotOf(number);
    if (slot >= 0) {
        ShowSlot(slot);
        // The address book opens on all its groups.
        if (slot == 7 && pages_[slot] != nullptr) {
            pages_[slot]->OnButton(0);
        }
        return 0;
    }
    if (number >= 90 && number <= 92) {
        RunPageCommand(0, number - 90);
    } else if (number >= 10 && number <= 17) {
        RunPageCommand(1, number - 10);
    } else if (number >= 40 && number <= 41) {
        RunPageCommand(4, number - 40);
    } else if (number >= 50 && number <= 54) {
        RunPageCommand(5, number - 50);
    } else if (number >= 60 && number <= 62) {
        RunPageCommand(6, number - 60);
    } else if (number >= 80 && number <= 83) {
        RunPageCommand(7, number - 79);
    }
    return 0;
}

int CManagerMainDlg::LayoutPages() {
    if (m_wndBand.m_hWnd == nullptr || IsIconic()) {
        return 1;
    }
    CRect client;
    GetClientRect(&client);
    m_wndBand.MoveWindow(client.left, client.bottom - kBandHeight, client.Width(), kBandHeight);
    m_wndMenu.MoveWindow(client.left, 0, kMenuWidth - client.left, client.bottom - kBandHeight);
    for (const std::unique_ptr<CManagerPage>& page : pages_) {
        if (page != nullptr) {
            page->MoveWindow(kMenuWidth, client.top, client.right - kMenuWidth,
                             client.bottom - kBandHeight - client.top);
        }
    }
    return 0;
}

void CManagerMainDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutPages();
}

HBRUSH CManagerMainDlg::OnCtlColor(CDC*, CWnd*, UINT) {
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
}

void CManagerMainDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, icon_);
}

HCURSOR CManagerMainDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(icon_);
}
