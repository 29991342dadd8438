#include "platform/framework/Dialog.h"

#include <utility>

#include "platform/dialogs/DialogApi.h"
#include "platform/framework/SafeOwner.h"
#include "platform/framework/UserException.h"
#include "platform/framework/WinApp.h"
#include "platform/resources/ResourceApi.h"
#include "platform/threads/ThreadApi.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialog object whose window the dialog manager is about to create on this thread.
thread_local CDialog* dialogBeingCreated = nullptr;

// The dialog window is the first window created while the object waits; its controls follow.
LRESULT CALLBACK DialogCreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && dialogBeingCreated != nullptr) {
        std::exchange(dialogBeingCreated, nullptr)->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Every other message reaches the object through its window procedure and message map.
INT_PTR CALLBACK FrameworkDialogProcedure(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
    return dialog != nullptr ? dialog->OnInitDialog() : TRUE;
}

bool IsKeyOrMouseInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd) {}

BOOL CDialog::CreateFromTemplate(LPCSTR lpszTemplateName, HWND parent) {
    if (m_hWnd != nullptr || lpszTemplateName == nullptr) {
        return FALSE;
    }
    HINSTANCE instance = AfxGetResourceHandle();
    const auto dialog = platform::LoadDialogTemplate(instance, lpszTemplateName);
    if (!dialog) {
        return FALSE;
    }
    const auto items = platform::LoadDialogInit(instance, lpszTemplateName);
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &DialogCreationHook, nullptr, ::GetCurrentThreadId());
    dialogBeingCreated = this;
    HWND hwnd = platform::CreateDialogFromTemplate(
        instance, *dialog, items.value_or(std::vector<platform::DialogInitEntry>{}), parent,
        &FrameworkDialogProcedure, 0);
    dialogBeingCreated = nullptr;
    ::UnhookWindowsHookEx(hook);
    return hwnd != nullptr && hwnd == m_hWnd;
}

INT_PTR CDialog::DoModal() {
    HWND owner = platform::SafeOwnerWindow(AfxHwndOf(m_pParentWnd));
    if (!CreateFromTemplate(m_lpszTemplateName, owner)) {
        return -1;
    }
    const INT_PTR result = platform::RunModalDialog(m_hWnd, owner, false);
    // As in the framework, the dialog ends through its own DestroyWindow, which programs
    // override to save what the dialog holds.
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    return result;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd != nullptr) {
        m_pParentWnd = pParentWnd;
    }
    CWnd* parent = m_pParentWnd;
    if (parent == nullptr) {
        parent = AfxGetMainWnd();
    }
    return CreateFromTemplate(lpszTemplateName, parent != this ? AfxHwndOf(parent) : nullptr);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (IsChildPage() || !UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    if (IsChildPage()) {
        return;
    }
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange exchange(this, bSaveAndValidate);
    struct Lockout {
        bool& flag;
        bool previous;
        ~Lockout() { flag = previous; }
    } lockout{exchanging_, std::exchange(exchanging_, true)};
    try {
        DoDataExchange(&exchange);
    } catch (CUserException* failure) {
        failure->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (exchanging_ && lParam != 0) {
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CDialog::NextDlgCtrl() const {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(AfxHwndOf(pWndCtrl)), TRUE);
}

void CDialog::SetDefID(UINT nID) {
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const {
    ::MapDialogRect(m_hWnd, lpRect);
}

bool CDialog::IsChildPage() const {
    return (GetStyle() & WS_CHILD) != 0;
}

bool CDialog::IsEscapeToDrop(const MSG& msg) const {
    if (!IsChildPage() || msg.wParam != VK_ESCAPE ||
        (msg.message != WM_KEYDOWN && msg.message != WM_CHAR)) {
        return false;
    }
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(m_hWnd, focus)) {
        return true;
    }
    MSG copy = msg;
    const LRESULT wants =
        ::SendMessageA(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
    return (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) == 0;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    if (!IsKeyOrMouseInput(pMsg->message) ||
        (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))) {
        return FALSE;
    }
    if (IsEscapeToDrop(*pMsg)) {
        return TRUE;
    }
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
