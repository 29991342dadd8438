#include "picture/PictureListPane.h"

#include "browser/PageDlg.h"
#include "browser/PageHost.h"

BEGIN_MESSAGE_MAP(CPictureListPane, CDialog)
ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CPictureListPane, CDialog)
ON_EVENT(CPictureListPane, CPictureListPane::kBrowserId, 251, OnNewWindow2, VTS_PDISPATCH VTS_PBOOL)
END_EVENTSINK_MAP()

CPictureListPane::CPictureListPane(CPageHost& rHost) : CDialog(IDD), m_host(rHost) {}

void CPictureListPane::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kBrowserId, m_wndBrowser);
}

void CPictureListPane::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_wndBrowser.GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(&client);
        m_wndBrowser.MoveWindow(&client);
    }
}

void CPictureListPane::OnNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* Cancel) {
    CPageDlg* pPage = m_host.GetPage(1);
    if (pPage == nullptr) {
        *Cancel = VARIANT_TRUE;
        return;
    }
    *ppDisp = pPage->m_wndBrowser.GetApplication();
}
