// The interfaces between an embedded control and the container that hosts it: the container's
// site (IOleClientSite), the control's embedding (IOleObject) and its window (IOleWindow,
// IOleInPlaceObject). Only the members a control container needs to create, place and close a
// control are declared; their order follows the original interfaces.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/windows/WindowStructs.h"

DEFINE_GUID(IID_IOleClientSite, 0x00000118, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x00, 0x46);
DEFINE_GUID(IID_IOleObject, 0x00000112, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x46);
DEFINE_GUID(IID_IOleWindow, 0x00000114, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x46);
DEFINE_GUID(IID_IOleInPlaceObject, 0x00000113, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x00, 0x46);

#define OLEIVERB_PRIMARY 0
#define OLEIVERB_SHOW (-1)
#define OLEIVERB_OPEN (-2)
#define OLEIVERB_HIDE (-3)
#define OLEIVERB_UIACTIVATE (-4)
#define OLEIVERB_INPLACEACTIVATE (-5)

#define OLE_E_NOT_INPLACEACTIVE ((HRESULT)0x80040010L)
#define OLEOBJ_E_INVALIDVERB ((HRESULT)0x80040181L)

enum OLECLOSE {
    OLECLOSE_SAVEIFDIRTY = 0,
    OLECLOSE_NOSAVE = 1,
    OLECLOSE_PROMPTSAVE = 2,
};

enum OLEMISC {
    OLEMISC_RECOMPOSEONRESIZE = 0x1,
    OLEMISC_INSIDEOUT = 0x80,
    OLEMISC_ACTIVATEWHENVISIBLE = 0x100,
    OLEMISC_SETCLIENTSITEFIRST = 0x20000,
};

struct IMoniker;
struct IOleContainer;

struct IOleClientSite : IUnknown {
    static constexpr const IID& kIid = IID_IOleClientSite;
    using Base = IUnknown;

    virtual HRESULT SaveObject() = 0;
    virtual HRESULT GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) = 0;
    virtual HRESULT GetContainer(IOleContainer** container) = 0;
    virtual HRESULT ShowObject() = 0;
    virtual HRESULT OnShowWindow(BOOL show) = 0;
    virtual HRESULT RequestNewObjectLayout() = 0;

protected:
    ~IOleClientSite() = default;
};

struct IOleObject : IUnknown {
    static constexpr const IID& kIid = IID_IOleObject;
    using Base = IUnknown;

    virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
    virtual HRESULT GetClientSite(IOleClientSite** site) = 0;
    virtual HRESULT SetHostNames(LPCOLESTR containerApplication, LPCOLESTR containerObject) = 0;
    virtual HRESULT Close(DWORD saveOption) = 0;
    virtual HRESULT DoVerb(LONG verb, MSG* message, IOleClientSite* activeSite, LONG index,
                           HWND parent, LPCRECT position) = 0;
    virtual HRESULT GetUserClassID(CLSID* clsid) = 0;
    virtual HRESULT GetMiscStatus(DWORD aspect, DWORD* status) = 0;

protected:
    ~IOleObject() = default;
};

struct IOleWindow : IUnknown {
    static constexpr const IID& kIid = IID_IOleWindow;
    using Base = IUnknown;

    virtual HRESULT GetWindow(HWND* window) = 0;
    virtual HRESULT ContextSensitiveHelp(BOOL enterMode) = 0;

protected:
    ~IOleWindow() = default;
};

struct IOleInPlaceObject : IOleWindow {
    static constexpr const IID& kIid = IID_IOleInPlaceObject;
    using Base = IOleWindow;

    // Destroys the control's window; the control keeps its state and may be activated again.
    virtual HRESULT InPlaceDeactivate() = 0;
    virtual HRESULT UIDeactivate() = 0;
    // Moves the window to `position` (parent client coordinates); the clip rectangle is ignored.
    virtual HRESULT SetObjectRects(LPCRECT position, LPCRECT clip) = 0;
    virtual HRESULT ReactivateAndUndo() = 0;

protected:
    ~IOleInPlaceObject() = default;
};
