#include "browser/FilterButton.h"

#include "browser/BrowserDataStore.h"
#include "browser/BrowserFrame.h"
#include "browser/SkinColors.h"
#include "platform/controls/ToolTip.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "resources/quorra/resource.h"

namespace {

constexpr int kImageWidth = 100;
constexpr int kImageHeight = 20;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr RECT kToolRect = {0, 0, 300, 20};

TOOLINFOA ToolInfo(HWND button, LPCSTR text) {
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = button;
    info.uId = CFilterButton::kToolId;
    info.rect = kToolRect;
    info.lpszText = const_cast<LPSTR>(text);
    return info;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFilterButton, CButton)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CFilterButton::CFilterButton() = default;

int CFilterButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CButton::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    bitmap.LoadBitmap(IDB_FILTER_BUTTON);
    images.Create(kImageWidth, kImageHeight, ILC_COLOR24 | ILC_MASK, 2, 0);
    images.Add(&bitmap, kTransparent);
    backColor = Skin().buttonBackground;
    textColor = Skin().buttonText;
    return 0;
}

void CFilterButton::OnDestroy() {
    if (tooltip != nullptr) {
        ::DestroyWindow(tooltip);
        tooltip = nullptr;
    }
    CButton::OnDestroy();
}

void CFilterButton::SetTip(LPCSTR /*lpszText*/) {
    tooltip = ::CreateWindowExA(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                m_hWnd, nullptr, nullptr, nullptr);
    TOOLINFOA info = ToolInfo(m_hWnd, "显示阻止窗口");
    ::SendMessageA(tooltip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
}

void CFilterButton::SetBlockedCount(int count) {
    blockedCount = count;
    if (tooltip != nullptr) {
        CString text;
        text.Format("己过滤网址:%d个  点击查看详细", count);
        TOOLINFOA info = ToolInfo(m_hWnd, text);
        ::SendMessageA(tooltip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
    }
    Invalidate();
}

void CFilterButton::StartBlink() {
    StopBlink();
    blinkTimer = SetTimer(kBlinkTimer, kBlinkPeriod);
}

void CFilterButton::StopBlink() {
    KillTimer(kBlinkTimer);
    blinkTimer = 0;
    blinkCount = 0;
    TakeSkinColors();
}

void CFilterButton::TakeSkinColors() {
    backColor = Skin().buttonBackground;
    textColor = Skin().buttonText;
    Invalidate();
}

void CFilterButton::OnBlinkTick() {
    const int times = DataStore().promptMode;
    if (times >= 0 && blinkCount >= 2 * times) {
        StopBlink();
        return;
    }
    if (blinkCount % 2 == 0) {
        backColor = Skin().selectedButtonBackground;
        textColor = Skin().selectedButtonText;
    } else {
        backColor = Skin().buttonBackground;
        textColor = Skin().buttonText;
    }
    ++blinkCount;
    Invalidate();
}

void CFilterButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kBlinkTimer) {
        OnBlinkTick();
        return;
    }
    if (nIDEvent == kHoverTimer) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(cursor)) {
            KillTimer(kHoverTimer);
            hoverTimer = 0;
            hover = 0;
            Invalidate();
        }
        return;
    }
    CButton::OnTimer(nIDEvent);
}

void CFilterButton::OnMouseMove(UINT nFlags, CPoint point) {
    if (hover == 0) {
        hover = 1;
        Invalidate();
        hoverTimer = SetTimer(kHoverTimer, kHoverPeriod);
    }
    CButton::OnMouseMove(nFlags, point);
}

void CFilterButton::OnClicked() {
    if (CBrowserFrame* frame = GetBrowserFrame()) {
        frame->ShowBlockedList();
    }
}

BOOL CFilterButton::PreTranslateMessage(MSG* pMsg) {
    if (tooltip != nullptr) {
        ::SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    }
    return CButton::PreTranslateMessage(pMsg);
}

void CFilterButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    RECT rect = lpDrawItemStruct->rcItem;
    dc->FillSolidRect(&rect, backColor);
    images.Draw(dc, hover, POINT{0, 0}, ILD_TRANSPARENT);
    CString text;
    text.Format("阻止网页:%d", blockedCount);
    HGDIOBJ oldFont = nullptr;
    if (Skin().normalFont != nullptr) {
        oldFont = ::SelectObject(dc->m_hDC, Skin().normalFont);
    }
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(textColor);
    dc->DrawText(text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont != nullptr) {
        ::SelectObject(dc->m_hDC, oldFont);
    }
}
