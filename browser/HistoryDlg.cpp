#include "browser/HistoryDlg.h"

#include <algorithm>
#include <string_view>

#include "browser/BrowserFrame.h"
#include "platform/com/ComRuntime.h"
#include "platform/text/Encoding.h"
#include "platform/time/TimeConversions.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "resources/quorra/resource.h"

namespace {

constexpr int kMargin = 8;
constexpr int kTopMargin = 32;
constexpr int kUrlColumn = 2;

// Task memory of the history service, as GBK text.
CString TextOf(LPOLESTR text) {
    if (text == nullptr) {
        return CString();
    }
    return CString(platform::Utf16ToGbk(std::u16string_view(text)).c_str());
}

// The visit time in local time, "2026年03月14日 09:05".
CString VisitTimeText(const FILETIME& visited) {
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&visited, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        return CString();
    }
    CString text;
    text.Format("%04d年%02d月%02d日 %02d:%02d", local.wYear, local.wMonth, local.wDay, local.wHour,
                local.wMinute);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHistoryDlg, CDialog)
ON_WM_SIZE()
ON_BN_CLICKED(IDC_OPEN_PAGE, OnOpenPage)
ON_BN_CLICKED(IDC_CLOSE_HISTORY, OnCloseHistory)
ON_NOTIFY(NM_DBLCLK, IDC_HISTORY_LIST, OnDblClkList)
END_MESSAGE_MAP()

CHistoryDlg::CHistoryDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CHistoryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HISTORY_LIST, m_list);
}

BOOL CHistoryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.InsertColumn(0, "访问时间", LVCFMT_LEFT, 150);
    m_list.InsertColumn(1, "网页标题", LVCFMT_LEFT, 200);
    m_list.InsertColumn(2, "网址", LVCFMT_LEFT, 200);
    return TRUE;
}

void CHistoryDlg::FillHistory() {
    m_list.DeleteAllItems();
    IUrlHistoryStg* history = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IUrlHistoryStg, reinterpret_cast<void**>(&history))) &&
        history != nullptr) {
        IEnumSTATURL* entries = nullptr;
        if (SUCCEEDED(history->EnumUrls(&entries)) && entries != nullptr) {
            STATURL entry{};
            entry.cbSize = sizeof(entry);
            ULONG fetched = 0;
            while (entries->Next(1, &entry, &fetched) == S_OK && fetched == 1) {
                const int row =
                    m_list.InsertItem(m_list.GetItemCount(), VisitTimeText(entry.ftLastVisited));
                if (row >= 0) {
                    m_list.SetItemText(row, 1, TextOf(entry.pwcsTitle));
                    m_list.SetItemText(row, 2, TextOf(entry.pwcsUrl));
                    m_list.SetItemData(row, static_cast<DWORD_PTR>(row));
                }
                CoTaskMemFree(entry.pwcsUrl);
                CoTaskMemFree(entry.pwcsTitle);
                entry = STATURL{};
                entry.cbSize = sizeof(entry);
            }
            entries->Release();
        }
        history->Release();
    }
    CRect client;
    GetClientRect(&client);
    LayoutList(client.Width(), client.Height());
    ShowWindow(SW_SHOW);
}

void CHistoryDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutList(cx, cy);
}

void CHistoryDlg::LayoutList(int cx, int cy) {
    if (m_list.GetSafeHwnd() == nullptr) {
        return;
    }
    m_list.MoveWindow(kMargin, kTopMargin, std::max(0, cx - 2 * kMargin),
                      std::max(0, cy - kTopMargin - kMargin));
}

void CHistoryDlg::OnOpenPage() {
    const int row = m_list.GetSelectedItem();
    if (row < 0) {
        return;
    }
    if (CBrowserFrame* frame = GetBrowserFrame()) {
        frame->OpenUrl(m_list.GetItemText(row, kUrlColumn), 1, 1);
    }
}

void CHistoryDlg::OnCloseHistory() {
    ShowWindow(SW_HIDE);
}

void CHistoryDlg::OnDblClkList(NMHDR* /*pNMHDR*/, LRESULT* pResult) {
    *pResult = 0;
    OnOpenPage();
}
