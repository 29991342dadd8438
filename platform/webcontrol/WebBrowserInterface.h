// The web browser control's automation interface, its event interface and their dispatch ids.
// Programs mostly reach the control through IDispatch::Invoke with these ids; the C++ members
// are declared in the original relative order for the calls made directly.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/OleCommandTarget.h"

DEFINE_GUID(CLSID_WebBrowser, 0x8856F961, 0x340A, 0x11D0, 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05,
            0xA2);
DEFINE_GUID(IID_IWebBrowser2, 0xD30C1661, 0xCDAF, 0x11D0, 0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2,
            0x6E);
DEFINE_GUID(DIID_DWebBrowserEvents2, 0x34A715A0, 0x6587, 0x11D0, 0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7,
            0xAC, 0x4D);

// Methods and properties.
#define DISPID_GOBACK 100
#define DISPID_GOFORWARD 101
#define DISPID_GOHOME 102
#define DISPID_GOSEARCH 103
#define DISPID_NAVIGATE 104
#define DISPID_REFRESH2 105
#define DISPID_STOP 106
#define DISPID_APPLICATION 200
#define DISPID_PARENT 201
#define DISPID_CONTAINER 202
#define DISPID_DOCUMENT 203
#define DISPID_TOPLEVELCONTAINER 204
#define DISPID_TYPE 205
#define DISPID_LOCATIONNAME 210
#define DISPID_LOCATIONURL 211
#define DISPID_BUSY 212
#define DISPID_NAVIGATE2 500
#define DISPID_QUERYSTATUSWB 501
#define DISPID_EXECWB 502
#define DISPID_SILENT 551
#define DISPID_REGISTERASBROWSER 552
#define DISPID_REFRESH (-550)
#define DISPID_HWND (-515)
#define DISPID_READYSTATE (-525)

// Events.
#define DISPID_STATUSTEXTCHANGE 102
#define DISPID_DOWNLOADCOMPLETE 104
#define DISPID_COMMANDSTATECHANGE 105
#define DISPID_DOWNLOADBEGIN 106
#define DISPID_PROGRESSCHANGE 108
#define DISPID_TITLECHANGE 113
#define DISPID_BEFORENAVIGATE2 250
#define DISPID_NEWWINDOW2 251
#define DISPID_NAVIGATECOMPLETE2 252
#define DISPID_ONQUIT 253
#define DISPID_DOCUMENTCOMPLETE 259
#define DISPID_WINDOWCLOSING 263
#define DISPID_NAVIGATEERROR 271

// The commands of CommandStateChange.
#define CSC_NAVIGATEFORWARD 1
#define CSC_NAVIGATEBACK 2

enum READYSTATE {
    READYSTATE_UNINITIALIZED = 0,
    READYSTATE_LOADING = 1,
    READYSTATE_LOADED = 2,
    READYSTATE_INTERACTIVE = 3,
    READYSTATE_COMPLETE = 4,
};

struct IWebBrowser2 : IDispatch {
    static constexpr const IID& kIid = IID_IWebBrowser2;
    using Base = IDispatch;

    virtual HRESULT GoBack() = 0;
    virtual HRESULT GoForward() = 0;
    virtual HRESULT GoHome() = 0;
    // The URL as given reaches BeforeNavigate2; the other arguments may be null or empty.
    virtual HRESULT Navigate(BSTR url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                             VARIANT* headers) = 0;
    virtual HRESULT Refresh() = 0;
    virtual HRESULT Refresh2(VARIANT* level) = 0;
    virtual HRESULT Stop() = 0;
    // The control's automation object; E_FAIL with null once a page script closed the window.
    virtual HRESULT get_Application(IDispatch** application) = 0;
    // The top document (IHTMLDocument2 through QueryInterface); S_FALSE and null before one.
    virtual HRESULT get_Document(IDispatch** document) = 0;
    virtual HRESULT get_LocationName(BSTR* name) = 0;
    virtual HRESULT get_LocationURL(BSTR* url) = 0;
    virtual HRESULT get_Busy(VARIANT_BOOL* busy) = 0;
    virtual HRESULT Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrameName,
                              VARIANT* postData, VARIANT* headers) = 0;
    virtual HRESULT QueryStatusWB(OLECMDID command, OLECMDF* status) = 0;
    virtual HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* input,
                           VARIANT* output) = 0;
    virtual HRESULT get_ReadyState(READYSTATE* state) = 0;
    virtual HRESULT get_Silent(VARIANT_BOOL* silent) = 0;
    virtual HRESULT put_Silent(VARIANT_BOOL silent) = 0;
    virtual HRESULT get_RegisterAsBrowser(VARIANT_BOOL* registered) = 0;
    virtual HRESULT put_RegisterAsBrowser(VARIANT_BOOL registered) = 0;

protected:
    ~IWebBrowser2() = default;
};
