#include "platform/framework/ToolBar.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/drawing/Gdi.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"
#include "platform/resources/ResourceApi.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

// Bitmaps of tool bars are drawn on light grey, which stands for the button face.
constexpr COLORREF kImageBackground = RGB(192, 192, 192);
constexpr int kSeparatorWidth = 8;
constexpr int kFlatSeparatorWidth = 6;
constexpr int kStretched = 32767;
constexpr LONG kButtonMargin = 7;

// Update-UI on one button of a tool bar.
class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(CToolBar* bar) : bar_(bar) {}

    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        UINT style = bar_->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
        if (!bOn) {
            // A button disabled while held down would otherwise stay down.
            style = (style | TBBS_DISABLED) & ~TBBS_PRESSED;
        }
        bar_->SetButtonStyle(static_cast<int>(m_nIndex), style);
    }
    void SetCheck(int nCheck) override {
        UINT style =
            bar_->GetButtonStyle(static_cast<int>(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1) {
            style |= TBBS_CHECKED;
        } else if (nCheck == 2) {
            style |= TBBS_INDETERMINATE;
        }
        bar_->SetButtonStyle(static_cast<int>(m_nIndex), style | TBBS_CHECKBOX);
    }
    void SetText(LPCSTR) override {}

private:
    CToolBar* bar_;
};

}  // namespace

CToolBar::~CToolBar() {
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    FreeImages();
}

void CToolBar::FreeImages() {
    if (images_ != nullptr) {
        ImageList_Destroy(images_);
        images_ = nullptr;
    }
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID) {
    SetBarStyle(dwStyle);
    // The frame places the bar; the control must not move itself to the top of its parent.
    DWORD style = WindowStyleOf(dwStyle) | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN |
                  CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if ((dwStyle & CBRS_TOOLTIPS) != 0) {
        style |= TBSTYLE_TOOLTIPS;
    }
    platform::RegisterToolBarClass();
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID)) {
        return FALSE;
    }
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName) {
    const std::optional<platform::ToolBarTemplate> layout =
        platform::LoadToolBarTemplate(AfxGetResourceHandle(), lpszResourceName);
    if (!layout) {
        return FALSE;
    }
    const CSize image(layout->width, layout->height);
    SetSizes(CSize(image.cx + kButtonMargin, image.cy + kButtonMargin), image);
    std::vector<UINT> ids(layout->commandIds.begin(), layout->commandIds.end());
    if (!SetButtons(ids.data(), static_cast<int>(ids.size()))) {
        return FALSE;
    }
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource) {
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName) {
    HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName);
    if (bitmap == nullptr) {
        return FALSE;
    }
    const BOOL done = SetBitmap(bitmap);
    ::DeleteObject(bitmap);
    return done;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell) {
    if (hbmImageWell == nullptr || imageSize_.cx <= 0 || imageSize_.cy <= 0) {
        return FALSE;
    }
    HIMAGELIST images =
        ImageList_Create(imageSize_.cx, imageSize_.cy, ILC_COLOR24 | ILC_MASK, 0, 4);
    if (images == nullptr) {
        return FALSE;
    }
    if (ImageList_AddMasked(images, hbmImageWell, kImageBackground) < 0) {
        ImageList_Destroy(images);
        return FALSE;
    }
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    FreeImages();
    images_ = images;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    if (nIDCount < 0) {
        return FALSE;
    }
    while (SendMessage(TB_BUTTONCOUNT) > 0) {
        SendMessage(TB_DELETEBUTTON, 0);
    }
    const int separator = (GetStyle() & TBSTYLE_FLAT) != 0 ? kFlatSeparatorWidth : kSeparatorWidth;
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button{};
        button.iString = -1;
        button.fsState = TBSTATE_ENABLED;
        if (lpIDArray == nullptr || lpIDArray[i] == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = separator;
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.idCommand = static_cast<int>(lpIDArray[i]);
            button.iBitmap = image++;
        }
        if (!SendMessage(TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button))) {
            return FALSE;
        }
    }
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    imageSize_ = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

void CToolBar::SetHeight(int cyHeight) {
    height_ = cyHeight;
}

bool CToolBar::GetButton(int nIndex, TBBUTTON* button) const {
    *button = TBBUTTON{};
    return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                       reinterpret_cast<LPARAM>(button)) != 0;
}

int CToolBar::GetCount() const {
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind));
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON button;
    return GetButton(nIndex, &button) ? static_cast<UINT>(button.idCommand) : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(lpRect))) {
        *lpRect = RECT{};
    }
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
    TBBUTTON button;
    if (!GetButton(nIndex, &button)) {
        return 0;
    }
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    TBBUTTON button;
    if (!GetButton(nIndex, &button)) {
        return;
    }
    const auto style = static_cast<BYTE>(LOWORD(nStyle));
    const auto state = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    if (style == button.fsStyle && state == button.fsState) {
        return;
    }
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = style;
    info.fsState = state;
    SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
    TBBUTTON button;
    GetButton(nIndex, &button);
    nID = static_cast<UINT>(button.idCommand);
    nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_STATE | TBIF_IMAGE;
    info.idCommand = static_cast<int>(nID);
    info.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    info.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    info.iImage = iImage;
    SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

BOOL CToolBar::SetButtonText(int nIndex, LPCSTR lpszText) {
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = const_cast<LPSTR>(lpszText != nullptr ? lpszText : "");
    return SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex),
                       reinterpret_cast<LPARAM>(&info)) != 0;
}

CString CToolBar::GetButtonText(int nIndex) const {
    CString text;
    GetButtonText(nIndex, text);
    return text;
}

void CToolBar::GetButtonText(int nIndex, CString& rString) const {
    char buffer[1024] = {};
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = buffer;
    info.cchText = sizeof(buffer);
    SendMessage(TB_GETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
    rString = buffer;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    SIZE extent{0, 0};
    SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&extent));
    const auto button = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    CSize size(extent.cx, std::max<LONG>(extent.cy, HIWORD(button)));
    if (height_ >= 0) {
        size.cy = height_;
    }
    if (!bHorz) {
        size.cx = LOWORD(button);
    }
    if (bStretch) {
        (bHorz ? size.cx : size.cy) = kStretched;
    }
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CToolCmdUI state(this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        TBBUTTON button;
        if (!GetButton(static_cast<int>(state.m_nIndex), &button) ||
            (button.fsStyle & TBSTYLE_SEP) != 0) {
            continue;
        }
        state.m_nID = static_cast<UINT>(button.idCommand);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

INT_PTR CToolBar::HitTestCommand(CPoint point) const {
    POINT at = point;
    const auto index = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
    TBBUTTON button;
    if (index < 0 || !GetButton(index, &button) || (button.fsStyle & TBSTYLE_SEP) != 0) {
        return -1;
    }
    return button.idCommand;
}
