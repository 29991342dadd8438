// The desktop manager's main window: a fixed 770 x 520 dialog with the HTML menu page in a
// 140-pixel pane on the left, a 30-pixel browser band across the bottom, and one page at a time
// in the rest. A menu link's script reports "fun " and a number through the status text; the
// number shows a page (made on first use and kept until the window closes) or runs one of a
// page's commands. The window keeps its position in data\config2.dat and starts the tray
// companion when it does not run.
#pragma once

#include <memory>

#include "common/WebBrowser2.h"
#include "manager/MainWindowState.h"
#include "manager/ManagerPage.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CCalendarPage;
class SignalCloser;

inline constexpr char kManagerTitle[] = "Deskvane - 管理中心";

class CManagerMainDlg : public CDialog {
public:
    static constexpr int kWidth = 770;
    static constexpr int kHeight = 520;
    static constexpr int kMenuWidth = 140;
    static constexpr int kBandHeight = 30;
    static constexpr int kBrowserId = 1030;
    // Page slots: calendar, system tools, options, about, income and expense book, lookups,
    // diary, address book.
    static constexpr int kSlots = 8;

    explicit CManagerMainDlg(CWnd* pParentWnd = nullptr);
    ~CManagerMainDlg() override;

    // A signal to end closes this window as a user would, once it exists.
    void WatchSignals(SignalCloser* closer) { closer_ = closer; }

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // 1 when the number was ignored as a repeat, else 0.
    int ShowPage(int number);
    // 1 while the bottom band does not exist yet or the window is minimised, else 0.
    int LayoutPages();
    // 0 when data\config.dat holds the main key with a value line, else 1. Reads the window
    // state first.
    int LoadMainSkin();

    // "fun " and a number: that page or command; every other status text is ignored.
    void OnStatusTextChange(LPCSTR text);

    CManagerPage* Page(int slot) const { return pages_[slot].get(); }
    CManagerPage* CurrentPage() const { return current_; }
    const MainWindowState& State() const { return state_; }

    CWebBrowser2 m_wndBand;
    CWebBrowser2 m_wndMenu;

protected:
    // A new page object for the slot, or null for a page this program does not have.
    virtual std::unique_ptr<CManagerPage> CreatePage(int slot);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()

private:
    // Hides the current page, if any.
    void HideCurrentPage();
    // Shows the page of the slot, making it first when needed.
    void ShowSlot(int slot);
    // Shows the page of the slot (a nested page command) and runs its command `index`.
    void RunPageCommand(int slot, int index);

    CBrush whiteBrush_{RGB(255, 255, 255)};
    MainWindowState state_;
    CManagerPage* current_ = nullptr;
    std::unique_ptr<CManagerPage> pages_[kSlots];
    HICON icon_ = nullptr;
    // The previous accepted command number.
    int previous_ = -1;
    SignalCloser* closer_ = nullptr;
};
