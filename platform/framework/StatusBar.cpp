#include "platform/framework/StatusBar.h"

#include <algorithm>
#include <string>

#include "platform/drawing/Gdi.h"
#include "platform/framework/FrameWnd.h"
#include "platform/text/Gbk.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

// Three pixels of margin on each side of a pane's text, and the gap between panes that the
// control leaves.
constexpr int kPaneMargins = 6;
constexpr int kPaneGap = 2;
// The control's text line: the font's height, 3 pixels around it and a 2-pixel border above and
// below.
constexpr int kTextPadding = 3;
constexpr int kBorders = 4;
constexpr int kStretched = 32767;
constexpr UINT kTypeBits = SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW;

// Update-UI on one pane: enabling shows its text, a check raises it.
class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar* bar) : bar_(bar) {}

    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        const int index = static_cast<int>(m_nIndex);
        const UINT style = bar_->GetPaneStyle(index) & ~SBPS_DISABLED;
        bar_->SetPaneStyle(index, bOn ? style : style | SBPS_DISABLED);
    }
    void SetCheck(int nCheck) override {
        const int index = static_cast<int>(m_nIndex);
        const UINT style = bar_->GetPaneStyle(index) & ~SBPS_POPOUT;
        bar_->SetPaneStyle(index, nCheck != 0 ? style | SBPS_POPOUT : style);
    }
    void SetText(LPCSTR lpszText) override {
        bar_->SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }

private:
    CStatusBar* bar_;
};

}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
    SetBarStyle(dwStyle);
    // The frame places the bar; the control must not move itself to the bottom of its parent.
    const DWORD style = WindowStyleOf(dwStyle) | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN |
                        CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    platform::RegisterStatusBarClass();
    return CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

HFONT CStatusBar::Font() const {
    auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    return font != nullptr ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

int CStatusBar::TextWidth(const CString& text) const {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, Font());
    SIZE size{0, 0};
    if (!text.IsEmpty()) {
        ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    if (nIDCount < 0 || (lpIDArray == nullptr && nIDCount > 0)) {
        return FALSE;
    }
    panes_.assign(static_cast<size_t>(nIDCount), Pane{});
    BOOL result = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = panes_[static_cast<size_t>(i)];
        pane.nID = lpIDArray[i];
        if (pane.nID == ID_SEPARATOR) {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0) {
                pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            }
            continue;
        }
        if (!pane.strText.LoadString(pane.nID)) {
            result = FALSE;
            continue;
        }
        pane.cxText = TextWidth(pane.strText);
    }
    UpdateAllPanes(true, true);
    return result;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (panes_[static_cast<size_t>(i)].nID == nIDFind) {
            return i;
        }
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return Valid(nIndex) ? panes_[static_cast<size_t>(nIndex)].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (!Valid(nIndex) ||
        !SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect))) {
        *lpRect = RECT{};
    }
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (!Valid(nIndex)) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = panes_[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (!Valid(nIndex)) {
        return;
    }
    Pane& pane = panes_[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(cxWidth, 0);
    UpdateAllPanes(true, false);
    ShowPaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return Valid(nIndex) ? panes_[static_cast<size_t>(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (!Valid(nIndex) || panes_[static_cast<size_t>(nIndex)].nStyle == nStyle) {
        return;
    }
    const bool stretchChanged =
        ((panes_[static_cast<size_t>(nIndex)].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    panes_[static_cast<size_t>(nIndex)].nStyle = nStyle;
    if (stretchChanged) {
        UpdateAllPanes(true, false);
    }
    ShowPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const {
    return Valid(nIndex) ? panes_[static_cast<size_t>(nIndex)].strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const {
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
    if (!Valid(nIndex)) {
        return FALSE;
    }
    panes_[static_cast<size_t>(nIndex)].strText = lpszNewText != nullptr ? lpszNewText : "";
    if (bUpdate) {
        ShowPaneText(nIndex);
    }
    return TRUE;
}

void CStatusBar::ShowPaneText(int nIndex) {
    if (m_hWnd == nullptr || !Valid(nIndex)) {
        return;
    }
    const Pane& pane = panes_[static_cast<size_t>(nIndex)];
    const char* text = (pane.nStyle & SBPS_DISABLED) != 0 ? "" : static_cast<LPCSTR>(pane.strText);
    SendMessage(SB_SETTEXT, static_cast<WPARAM>(nIndex) | (pane.nStyle & kTypeBits),
                reinterpret_cast<LPARAM>(text));
}

void CStatusBar::UpdateAllPanes(bool rects, bool texts) {
    if (m_hWnd == nullptr || panes_.empty()) {
        return;
    }
    if (rects) {
        CRect client;
        GetClientRect(&client);
        int extra = client.Width() + kPaneGap;
        for (const Pane& pane : panes_) {
            extra -= pane.cxText + kPaneMargins + kPaneGap;
        }
        std::vector<int> rights;
        int right = 0;
        for (const Pane& pane : panes_) {
            // The first stretching pane takes all the room that is left over.
            if ((pane.nStyle & SBPS_STRETCH) != 0 && extra > 0) {
                right += extra;
                extra = 0;
            }
            right += pane.cxText + kPaneMargins;
            rights.push_back(right);
            right += kPaneGap;
        }
        SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    }
    if (rects || texts) {
        for (int i = 0; i < GetCount(); ++i) {
            ShowPaneText(i);
        }
    }
}

int CStatusBar::MessagePane() const {
    const int separator = CommandToIndex(ID_SEPARATOR);
    return separator >= 0 ? separator : 0;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, Font());
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = metrics.tmHeight + kTextPadding + kBorders;
    if (bStretch) {
        size.cx = kStretched;
    }
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
    CStatusCmdUI state(this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = panes_[state.m_nIndex].nID;
        // Panes without an update handler keep their state.
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(true, false);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    if (panes_.empty()) {
        return Default();
    }
    return SetPaneText(MessagePane(), reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    if (panes_.empty()) {
        return Default();
    }
    auto* buffer = reinterpret_cast<char*>(lParam);
    if (buffer == nullptr || wParam == 0) {
        return 0;
    }
    const std::string text(static_cast<LPCSTR>(panes_[static_cast<size_t>(MessagePane())].strText));
    const size_t length = platform::CutAtCharBoundary(text, wParam - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    if (panes_.empty()) {
        return Default();
    }
    return panes_[static_cast<size_t>(MessagePane())].strText.GetLength();
}
