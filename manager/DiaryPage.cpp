#include "manager/DiaryPage.h"

#include <cstdio>

#include "common/AppFolder.h"
#include "manager/LoginDlg.h"
#include "manager/ManagerGdi.h"
#include "manager/NewUserDlg.h"
#include "manager/NoteEditorDlg.h"
#include "manager/SkinConfig.h"
#include "platform/framework/FontDialog.h"
#include "platform/time/Clock.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CDiaryPage, CSkinnedPage)
ON_BN_CLICKED(IDC_SAVE_DAY, OnSaveDay)
ON_BN_CLICKED(IDC_DELETE_DAY, OnDeleteDay)
ON_BN_CLICKED(IDC_DIARY_PREV_MONTH, OnPrevMonth)
ON_BN_CLICKED(IDC_DIARY_NEXT_MONTH, OnNextMonth)
ON_BN_CLICKED(IDC_CHOOSE_FONT, OnChooseFont)
ON_BN_CLICKED(IDC_OPEN_EDITOR, OnOpenEditor)
ON_BN_CLICKED(IDC_LOGIN, OnLogin)
ON_BN_CLICKED(IDC_NEW_USER, OnNewUser)
ON_BN_CLICKED(IDC_LOGOUT, OnLogout)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_DATE_CHANGED, OnDateChanged)
ON_MESSAGE(WM_DAY_CHANGED, OnDayChanged)
ON_MESSAGE(WM_CALENDAR_REDRAW, OnCalendarRedraw)
END_MESSAGE_MAP()

namespace {

constexpr char kLoginPrompt[] = "请先登录再编辑或查看日记.";
constexpr char kUserCreated[] = "用户创建成功,你可以用该账号登录了";
constexpr int kPageFontHeight = 26;
constexpr int kSideWidth = 210;
constexpr int kButtonWidth = 99;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 5;
constexpr int kArrowSize = 20;
constexpr int kFieldHeight = 26;

DateRecord Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    DateRecord date;
    date.year = now.wYear;
    date.month = now.wMonth;
    date.day = now.wDay;
    return date;
}

}  // namespace

CDiaryPage::CDiaryPage() : CSkinnedPage(IDD_DIARY) {
    font_.CreateFont(kPageFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0,
                     "宋体");
}

void CDiaryPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIARY_TEXT, editor_);
    DDX_Control(pDX, IDC_OPEN_EDITOR, openEditor_);
    DDX_Control(pDX, IDC_CHOOSE_FONT, chooseFont_);
    DDX_Control(pDX, IDC_DIARY_NEXT_MONTH, nextMonth_);
    DDX_Control(pDX, IDC_DIARY_PREV_MONTH, prevMonth_);
    DDX_Control(pDX, IDC_NEW_USER, newUser_);
    DDX_Control(pDX, IDC_LOGOUT, logout_);
    DDX_Control(pDX, IDC_LOGIN, login_);
    DDX_Control(pDX, IDC_SAVE_DAY, saveDay_);
    DDX_Control(pDX, IDC_DELETE_DAY, deleteDay_);
}

BOOL CDiaryPage::OnInitDialog() {
    CDialog::OnInitDialog();
    // Without its skin the page still works: it only paints without the bitmap.
    LoadSkin();
    date_ = Today();
    datePicker_.Create(this);
    Logout();
    return TRUE;
}

int CDiaryPage::LoadSkin() {
    return painter_.LoadSkin(kCalendarSkinKey);
}

int CDiaryPage::DrawCalendar() {
    DrawPage();
    return 0;
}

BOOL CDiaryPage::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CDiaryPage::OnDateChanged(WPARAM, LPARAM) {
    if (loggedIn_ != 0) {
        OpenMonth();
        DrawCalendar();
    }
    return 0;
}

LRESULT CDiaryPage::OnDayChanged(WPARAM, LPARAM) {
    if (loggedIn_ != 0) {
        ShowCurrentDay();
    }
    return 0;
}

LRESULT CDiaryPage::OnCalendarRedraw(WPARAM, LPARAM) {
    DrawCalendar();
    return 0;
}

BOOL CDiaryPage::DestroyWindow() {
    font_.DeleteObject();
    FreeEntries();
    return CDialog::DestroyWindow();
}

int CDiaryPage::RecalcLayout() {
    if (saveDay_.m_hWnd == nullptr) {
        return 1;
    }
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    if (grid_.Create(m_hWnd, RECT{width - kSideWidth, 60, width, 232}, 2) != 0) {
        return 1;
    }
    const int buttonLeft = width - 200;
    int top = 282;
    for (CHintButton* button : {&openEditor_, &saveDay_, &deleteDay_}) {
        button->MoveWindow(buttonLeft, top, kButtonWidth, kButtonHeight);
        top += kButtonHeight + kButtonGap;
    }
    prevMonth_.MoveWindow(width - 180, 40, kArrowSize, kArrowSize);
    nextMonth_.MoveWindow(width - 52, 40, kArrowSize, kArrowSize);
    chooseFont_.MoveWindow(width - 300, 50, 80, kFieldHeight);
    datePicker_.MoveWindow(5, 50, width - 310, kFieldHeight);
    datePicker_.ShowWindow(SW_SHOW);
    editor_.MoveWindow(5, 81, width - 218, height - 86);
    return LayOutAround(
        {&openEditor_, &saveDay_, &deleteDay_, &prevMonth_, &nextMonth_, &datePicker_, &editor_});
}

void CDiaryPage::DrawContent(CDC* buffer, const CRect& client) {
    const std::string title = "  ::笔记本::  - (" + userName_ + ")";
    RECT band{client.left, 0, client.right, CPagePainter::kTitleBand};
    buffer->SetTextColor(RGB(255, 0, 0));
    HGDIOBJ oldFont = ::SelectObject(buffer->GetSafeHdc(), Gdi().uiFont);
    buffer->DrawText(title.c_str(), static_cast<int>(title.size()), &band,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(buffer->GetSafeHdc(), oldFont);
    grid_.Draw(buffer);
}

int CDiaryPage::OnButton(int command) {
    switch (command) {
        case 0: {
            Logout();
            CLoginDlg dialog(this);
            if (dialog.DoModal() == IDOK) {
                loggedIn_ = 1;
                userName_ = std::string(dialog.m_userName);
                password_ = std::string(dialog.m_password);
                date_ = Today();
                datePicker_.LoadDate();
                OpenMonth();
            }
            break;
        }
        case 1: {
            CNewUserDlg dialog(this);
            if (dialog.DoModal() == IDOK) {
                MessageBox(kUserCreated);
            }
            break;
        }
        case 2:
            Logout();
            break;
        default:
            break;
    }
    Invalidate();
    return 0;
}

void CDiaryPage::Logout() {
    userName_ = kLoggedOutUser;
    password_.clear();
    loggedIn_ = 0;
    SetDefaultFormat();
    editor_.SetWindowText(kLoginPrompt);
    grid_.MarkDay(0, 0, 0);
    editor_.SetReadOnly(TRUE);
    EnableDayCommands(FALSE);
    Invalidate();
}

int CDiaryPage::OpenMonth() {
    FreeEntries();
    grid_.Fill(date_.year, date_.month, date_.day);
    slots_ = CDiaryMonthFile::EmptyMonth(date_.year, date_.month);
    LoadMonth();
    editor_.SetReadOnly(FALSE);
    EnableDayCommands(TRUE);
    ShowCurrentDay();
    return 0;
}

int CDiaryPage::LoadMonth() {
    const std::string path =
        CDiaryMonthFile::PathOf(std::string(GetAppFolder()), userName_, date_.year, date_.month);
    if (CDiaryMonthFile::Load(path, CDiaryMonthFile::CheckText(userName_, password_), slots_) !=
        0) {
        return 1;
    }
    for (int i = 0; i < CDiaryMonthFile::kSlots; ++i) {
        if (!slots_[i].text.empty()) {
            grid_.MarkDay(1, i + 1, 1);
        }
    }
    return 0;
}

int CDiaryPage::SaveMonth() {
    const std::string path =
        CDiaryMonthFile::PathOf(std::string(GetAppFolder()), userName_, date_.year, date_.month);
    return CDiaryMonthFile::Save(path, CDiaryMonthFile::CheckText(userName_, password_), slots_);
}

int CDiaryPage::FreeEntries() {
    slots_.clear();
    return 0;
}

int CDiaryPage::SetDayText(const char* text) {
    editor_.SetWindowText(text);
    OnSaveDay();
    return 0;
}

int CDiaryPage::CurrentSlot() const {
    const int slot = date_.day - 1;
    return slot >= 0 && slot < static_cast<int>(slots_.size()) ? slot : -1;
}

void CDiaryPage::SetDefaultFormat() {
    CHARFORMAT format{};
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_COLOR | CFM_FACE;
    format.yHeight = 180;
    format.crTextColor = RGB(0, 0, 255);
    std::snprintf(format.szFaceName, sizeof(format.szFaceName), "%s", "宋体");
    editor_.SetDefaultCharFormat(format);
}

void CDiaryPage::ShowCurrentDay() {
    const int slot = CurrentSlot();
    if (slot < 0) {
        return;
    }
    const DiaryDaySlot& day = slots_[slot];
    if (!day.text.empty()) {
        editor_.SetWindowText(day.text.c_str());
        return;
    }
    SetDefaultFormat();
    char heading[96];
    std::snprintf(heading, sizeof(heading), "    %d年%d月%d日: \r\n", day.header.year,
                  day.header.month, day.header.day);
    editor_.SetWindowText(heading);
}

void CDiaryPage::EnableDayCommands(BOOL enable) {
    for (CHintButton* button : {&openEditor_, &saveDay_, &deleteDay_, &prevMonth_, &nextMonth_}) {
        button->EnableWindow(enable);
    }
    datePicker_.EnableAll(enable);
}

void CDiaryPage::OnSaveDay() {
    const int slot = CurrentSlot();
    if (loggedIn_ == 0 || slot < 0) {
        return;
    }
    CString text;
    editor_.GetWindowText(text);
    slots_[slot].text = std::string(text);
    grid_.MarkDay(1, slot + 1, text.IsEmpty() ? 0 : 1);
    DrawCalendar();
    // An empty day is saved too, so that its old text does not come back at the next login.
    SaveMonth();
}

void CDiaryPage::OnDeleteDay() {
    const int slot = CurrentSlot();
    if (loggedIn_ == 0 || slot < 0) {
        return;
    }
    char question[64];
    std::snprintf(question, sizeof(question), "你真的要删除: %d日的笔记吗?", date_.day);
    if (MessageBox(question, nullptr, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    slots_[slot].text.clear();
    editor_.SetWindowText("");
    grid_.MarkDay(1, slot + 1, 0);
    DrawCalendar();
    SaveMonth();
}

void CDiaryPage::OnPrevMonth() {
    if (loggedIn_ != 0) {
        datePicker_.StepMonth(-1);
    }
}

void CDiaryPage::OnNextMonth() {
    if (loggedIn_ != 0) {
        datePicker_.StepMonth(1);
    }
}

void CDiaryPage::OnChooseFont() {
    CFontDialog dialog(nullptr, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    LOGFONTA chosen{};
    dialog.GetCurrentFont(&chosen);
    font_.DeleteObject();
    font_.CreateFontIndirect(&chosen);
    editor_.SetFont(&font_, TRUE);
}

void CDiaryPage::OnOpenEditor() {
    if (loggedIn_ == 0) {
        return;
    }
    CString text;
    editor_.GetWindowText(text);
    char title[64];
    std::snprintf(title, sizeof(title), "%04d年%02d月%02d日 笔记", date_.year, date_.month,
                  date_.day);
    CNoteEditorDlg dialog(this);
    dialog.m_text = text;
    dialog.m_title = title;
    dialog.DoModal();
}

void CDiaryPage::OnLogin() {
    OnButton(0);
}

void CDiaryPage::OnNewUser() {
    OnButton(1);
}

void CDiaryPage::OnLogout() {
    OnButton(2);
}

void CDiaryPage::OnLButtonDown(UINT nFlags, CPoint point) {
    grid_.Select(point.x, point.y);
    DateRecord selected;
    if (grid_.SetSelectedAt(point.x, point.y) != 0 && loggedIn_ != 0 &&
        grid_.GetSelection(selected) != 0) {
        date_.year = selected.year;
        date_.month = selected.month;
        date_.day = selected.day;
        datePicker_.LoadDate();
        ShowCurrentDay();
    }
    CDialog::OnLButtonDown(nFlags, point);
}

void CDiaryPage::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (grid_.SetSelectedAt(point.x, point.y) != 0 && loggedIn_ != 0) {
        OnOpenEditor();
    }
    CDialog::OnLButtonDblClk(nFlags, point);
}

void CDiaryPage::OnMouseMove(UINT nFlags, CPoint point) {
    grid_.Hover(point.x, point.y);
    CDialog::OnMouseMove(nFlags, point);
}
