#include "browser/CustomControlSite.h"

CCustomControlSite::CCustomControlSite(COleControlContainer* pCtrlCont, IDispatch* pExternal)
    : COleControlSite(pCtrlCont), m_pExternal(pExternal) {}

// clang-format off
BEGIN_INTERFACE_MAP(CCustomControlSite, COleControlSite)
    INTERFACE_PART(CCustomControlSite, IID_IDocHostUIHandler, DocHostUIHandler)
    INTERFACE_PART(CCustomControlSite, IID_IOleCommandTarget, OleCommandTarget)
END_INTERFACE_MAP()
// clang-format on

STDMETHODIMP_(ULONG) CCustomControlSite::XDocHostUIHandler::AddRef() {
    METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CCustomControlSite::XDocHostUIHandler::Release() {
    METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler)
    return pThis->ExternalRelease();
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::QueryInterface(REFIID iid, void** ppvObj) {
    METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

// The control shows its own context menu.
STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*,
                                                                    IDispatch*) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    if (pInfo == nullptr) {
        return E_POINTER;
    }
    pInfo->dwFlags = DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

// The browser shows its own menus and tool bars; the control adds none.
STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*,
                                                           IOleCommandTarget*, IOleInPlaceFrame*,
                                                           IOleInPlaceUIWindow*) {
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::HideUI() {
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::UpdateUI() {
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::EnableModeless(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::OnDocWindowActivate(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::OnFrameWindowActivate(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*,
                                                                 BOOL) {
    return E_NOTIMPL;
}

// The control handles its own keys.
STDMETHODIMP CCustomControlSite::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*,
                                                                         DWORD) {
    return S_FALSE;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR* pchKey, DWORD) {
    if (pchKey != nullptr) {
        *pchKey = nullptr;
    }
    return E_NOTIMPL;
}

// No drop target of the host's own: the control keeps its own.
STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetDropTarget(IDropTarget*,
                                                                  IDropTarget** ppDropTarget) {
    if (ppDropTarget != nullptr) {
        *ppDropTarget = nullptr;
    }
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetExternal(IDispatch** ppDispatch) {
    METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler)
    if (ppDispatch == nullptr) {
        return E_POINTER;
    }
    *ppDispatch = pThis->m_pExternal;
    if (*ppDispatch == nullptr) {
        return E_NOTIMPL;
    }
    (*ppDispatch)->AddRef();
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::TranslateUrl(DWORD, OLECHAR*,
                                                                 OLECHAR** ppchURLOut) {
    if (ppchURLOut != nullptr) {
        *ppchURLOut = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::FilterDataObject(IDataObject*,
                                                                     IDataObject** ppDORet) {
    if (ppDORet != nullptr) {
        *ppDORet = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP_(ULONG) CCustomControlSite::XOleCommandTarget::AddRef() {
    METHOD_PROLOGUE(CCustomControlSite, OleCommandTarget)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CCustomControlSite::XOleCommandTarget::Release() {
    METHOD_PROLOGUE(CCustomControlSite, OleCommandTarget)
    return pThis->ExternalRelease();
}

STDMETHODIMP CCustomControlSite::XOleCommandTarget::QueryInterface(REFIID iid, void** ppvObj) {
    METHOD_PROLOGUE(CCustomControlSite, OleCommandTarget)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP CCustomControlSite::XOleCommandTarget::QueryStatus(const GUID*, ULONG, OLECMD[],
                                                                OLECMDTEXT*) {
    return OLECMDERR_E_NOTSUPPORTED;
}

// Answering the script-error question with S_OK, and nothing else, keeps the control from
// showing its error dialog.
STDMETHODIMP CCustomControlSite::XOleCommandTarget::Exec(const GUID* pguidCmdGroup, DWORD nCmdID,
                                                         DWORD, VARIANT*, VARIANT*) {
    if (pguidCmdGroup != nullptr && IsEqualGUID(*pguidCmdGroup, CGID_DocHostCommandHandler) &&
        nCmdID == OLECMDID_SHOWSCRIPTERROR) {
        return S_OK;
    }
    return OLECMDERR_E_NOTSUPPORTED;
}
