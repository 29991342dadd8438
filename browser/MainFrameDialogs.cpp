// The frame's commands that open the options, refresh, history and page data dialogs.

#include "browser/ExtractDlg.h"
#include "browser/HistoryDlg.h"
#include "browser/MainFrame.h"
#include "browser/OptionsDlg.h"
#include "browser/PageDlg.h"
#include "browser/RefreshDlg.h"

void CMainFrame::OnPageOptions() {
    CPageDlg* pPage = GetPageAt(GetCurrentIndex());
    if (pPage == nullptr) {
        return;
    }
    COptionsDlg dlg(this);
    pPage->GetRefresh(dlg.m_nRefreshTime, dlg.m_nRefreshUnit);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    pPage->SetRefresh(dlg.m_nRefreshTime, dlg.m_nRefreshUnit);
    ApplyBarOptions();
}

void CMainFrame::OnAutoRefresh() {
    CPageDlg* pPage = GetPageAt(GetCurrentIndex());
    if (pPage == nullptr) {
        return;
    }
    CRefreshDlg dlg(this);
    pPage->GetRefresh(dlg.m_nRefreshTime, dlg.m_nRefreshUnit);
    if (dlg.DoModal() == IDOK) {
        pPage->SetRefresh(dlg.m_nRefreshTime, dlg.m_nRefreshUnit);
    }
}

void CMainFrame::OnHistory() {
    if (!m_pHistoryDlg) {
        auto dlg = std::make_unique<CHistoryDlg>(this);
        if (!dlg->Create(CHistoryDlg::IDD, this)) {
            return;
        }
        m_pHistoryDlg = std::move(dlg);
    }
    m_pHistoryDlg->FillHistory();
}

void CMainFrame::OnExtract() {
    CExtractDlg dlg(this);
    dlg.DoModal();
}
