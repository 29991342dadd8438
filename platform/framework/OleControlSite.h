// The site of one ActiveX control in a window: it creates the control (by class id, through the
// object runtime), gives it its client site, activates it in place as a child of the container's
// window, and sinks its events into the container window's event sink map.
//
// The site answers QueryInterface through its interface map: IOleClientSite here; a derived site
// adds interfaces of its own (IDocHostUIHandler, IOleCommandTarget) with the macros of
// InterfaceMap.h, and the control finds them by asking its client site.
//
// Lifetime: the container holds the first reference. The control's window decides the end: when
// it is destroyed (by DestroyControl, by the window object that wraps it, or with its parent) the
// site lets the control go (it closes it, takes its site away and releases it) and leaves its
// container, which drops that reference. Whoever still holds an interface of the site keeps it
// alive until the last ExternalRelease.
#pragma once

#include "platform/com/ConnectionPoints.h"
#include "platform/com/OleDispatchDriver.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/InterfaceMap.h"
#include "platform/webcontrol/OleControl.h"

class CWnd;
class COleControlContainer;

class COleControlSite : public CCmdTarget {
public:
    explicit COleControlSite(COleControlContainer* pCtrlCont);
    ~COleControlSite() override;

    // Creates the control as a child of the container's window at `rect` (its client
    // coordinates) with the id and window name given; it stays hidden unless dwStyle has
    // WS_VISIBLE, and takes WS_TABSTOP, WS_GROUP and WS_DISABLED from dwStyle. pWndCtrl, when
    // given, becomes the window object of the control's window. The object runtime of the
    // calling thread is initialised first when it is not, as a program's start-up would.
    virtual HRESULT CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCSTR lpszWindowName,
                                  DWORD dwStyle, const RECT& rect, UINT nID);
    // Destroys the control's window, which ends the control's hosting (see above).
    virtual BOOL DestroyControl();

    // The control without an added reference; null once it has ended.
    LPUNKNOWN GetControlUnknown() const { return m_pObject; }

    // The site of the control whose window this is; null for any other window.
    static COleControlSite* FromHandle(HWND hWnd);

    // Reference counting and QueryInterface of the whole site, for its nested interface objects.
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    DWORD ExternalQueryInterface(const void* iid, void** ppvObj);

    COleControlContainer* m_pCtrlCont;
    CWnd* m_pWndCtrl = nullptr;
    HWND m_hWnd = nullptr;
    UINT m_nID = 0;
    CLSID m_clsid = CLSID_NULL;
    IOleObject* m_pObject = nullptr;
    // The control's automation interface; InvokeHelper, GetProperty and SetProperty of the
    // control's window object go through it.
    COleDispatchDriver m_dispDriver;

protected:
    // After the last reference: deletes the site.
    virtual void OnFinalRelease();

    // clang-format off
    BEGIN_INTERFACE_PART(OleClientSite, IOleClientSite)
        STDMETHOD(SaveObject)();
        STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk);
        STDMETHOD(GetContainer)(IOleContainer** ppContainer);
        STDMETHOD(ShowObject)();
        STDMETHOD(OnShowWindow)(BOOL fShow);
        STDMETHOD(RequestNewObjectLayout)();
    END_INTERFACE_PART(OleClientSite)

    // The control's events, passed on to the container.
    BEGIN_INTERFACE_PART(EventSink, IDispatch)
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo);
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo);
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                 DISPID* rgDispId);
        STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                          DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                          UINT* puArgErr);
    END_INTERFACE_PART(EventSink)
    // clang-format on

    DECLARE_INTERFACE_MAP()

private:
    // Watches the control's window for its end, after the control itself has seen it.
    static LRESULT CALLBACK WatchProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void ConnectEvents();
    void DisconnectEvents();
    void ReleaseControl();
    void OnControlWindowGone();

    ULONG m_dwRef = 1;
    WNDPROC previousProcedure_ = nullptr;
    IConnectionPoint* eventPoint_ = nullptr;
    IID eventIid_ = IID_NULL;
    DWORD eventCookie_ = 0;
};
