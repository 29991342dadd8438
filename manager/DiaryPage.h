// The diary page: a private notebook per user account. After a login (the main window's commands
// 60 to 62 log in, create a user and log out) the page holds the user's name and password and
// one month of 32 day slots, read from and saved to the user's enciphered month file; the rich
// edit shows the current day's text, the month grid marks the days with text, and the date
// picker, the arrows and the grid change the day or the month. Logged out, the editor is
// read-only and the day and month commands do nothing.
#pragma once

#include <string>
#include <vector>

#include "manager/DatePicker.h"
#include "manager/DiaryMonthFile.h"
#include "manager/HintButton.h"
#include "manager/MonthGrid.h"
#include "manager/SkinnedPage.h"
#include "platform/drawing/Font.h"
#include "platform/framework/RichEditCtrl.h"

inline constexpr char kLoggedOutUser[] = "未登录用户";

class CDiaryPage : public CSkinnedPage {
public:
    CDiaryPage();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    // The calendar skin: 0 loaded, 1 failed.
    int LoadSkin();
    // 1 while the controls do not exist yet or the grid cannot be placed, else 0.
    int RecalcLayout() override;
    // Paints the page. Returns 0.
    int DrawCalendar();
    // 0 log in, 1 new user, 2 log out. Returns 0.
    int OnButton(int command) override;

    void Logout();
    // Opens the month of the current date for the logged-in user. Returns 0.
    int OpenMonth();
    // 0 when the month file was read, 1 when there was nothing to read.
    int LoadMonth();
    // 0 written, 1 when the month file could not be written (the text stays in memory).
    int SaveMonth();
    int FreeEntries();
    // The note editor's save: the text becomes the current day's and the month is saved.
    int SetDayText(const char* text);

    void OnSaveDay();
    void OnDeleteDay();
    void OnOpenEditor();

    bool LoggedIn() const { return loggedIn_ != 0; }
    const std::string& UserName() const { return userName_; }
    const DateRecord& CurrentDate() const { return date_; }
    const std::vector<DiaryDaySlot>& Slots() const { return slots_; }
    CMonthGrid& Grid() { return grid_; }
    CDatePicker& DatePicker() { return datePicker_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The title with the user name, then the month grid.
    void DrawContent(CDC* buffer, const CRect& client) override;

    afx_msg void OnPrevMonth();
    afx_msg void OnNextMonth();
    afx_msg void OnChooseFont();
    afx_msg void OnLogin();
    afx_msg void OnNewUser();
    afx_msg void OnLogout();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // The date picker changed the year or month (the month is reopened) or the day. These come
    // through the message map rather than PreTranslateMessage, so that sent messages are handled
    // too. A day change while logged out shows nothing: the last user's slots are still held.
    afx_msg LRESULT OnDateChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDayChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCalendarRedraw(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Blue 9-point 宋体, plain.
    void SetDefaultFormat();
    // The current day's text, or a heading for the user to continue.
    void ShowCurrentDay();
    void EnableDayCommands(BOOL enable);
    int CurrentSlot() const;

    CMonthGrid grid_;
    DateRecord date_;
    CDatePicker datePicker_{&date_};
    std::string userName_ = kLoggedOutUser;
    std::string password_;
    int loggedIn_ = 0;
    std::vector<DiaryDaySlot> slots_;
    CFont font_;
    CRichEditCtrl editor_;
    CHintButton openEditor_;
    CHintButton chooseFont_;
    CHintButton nextMonth_;
    CHintButton prevMonth_;
    CHintButton newUser_;
    CHintButton logout_;
    CHintButton login_;
    CHintButton saveDay_;
    CHintButton deleteDay_;
};
