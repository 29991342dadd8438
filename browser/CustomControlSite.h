// The site of every ActiveX control the browser hosts. Beyond the framework's site it answers the
// browser control's host questions: no script-error dialogs, none of the control's own menus or
// tool bars, form auto-complete on, and the program's external object for window.external.
#pragma once

#include "platform/com/OleCommandTarget.h"
#include "platform/framework/OleControlSite.h"
#include "platform/webcontrol/DocHostUIHandler.h"

class CCustomControlSite : public COleControlSite {
public:
    // pExternal is what GetExternal hands out; it may be null (no external object).
    CCustomControlSite(COleControlContainer* pCtrlCont, IDispatch* pExternal);

protected:
    // clang-format off
    BEGIN_INTERFACE_PART(DocHostUIHandler, IDocHostUIHandler)
        STDMETHOD(ShowContextMenu)(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                   IDispatch* pdispReserved);
        STDMETHOD(GetHostInfo)(DOCHOSTUIINFO* pInfo);
        STDMETHOD(ShowUI)(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                          IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                          IOleInPlaceUIWindow* pDoc);
        STDMETHOD(HideUI)();
        STDMETHOD(UpdateUI)();
        STDMETHOD(EnableModeless)(BOOL fEnable);
        STDMETHOD(OnDocWindowActivate)(BOOL fActivate);
        STDMETHOD(OnFrameWindowActivate)(BOOL fActivate);
        STDMETHOD(ResizeBorder)(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                BOOL fFrameWindow);
        STDMETHOD(TranslateAccelerator)(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID);
        STDMETHOD(GetOptionKeyPath)(LPOLESTR* pchKey, DWORD dw);
        STDMETHOD(GetDropTarget)(IDropTarget* pDropTarget, IDropTarget** ppDropTarget);
        STDMETHOD(GetExternal)(IDispatch** ppDispatch);
        STDMETHOD(TranslateUrl)(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut);
        STDMETHOD(FilterDataObject)(IDataObject* pDO, IDataObject** ppDORet);
    END_INTERFACE_PART(DocHostUIHandler)

    BEGIN_INTERFACE_PART(OleCommandTarget, IOleCommandTarget)
        STDMETHOD(QueryStatus)(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[],
                               OLECMDTEXT* pCmdText);
        STDMETHOD(Exec)(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt,
                        VARIANT* pvaIn, VARIANT* pvaOut);
    END_INTERFACE_PART(OleCommandTarget)
    // clang-format on

    DECLARE_INTERFACE_MAP()

private:
    IDispatch* m_pExternal;
};
