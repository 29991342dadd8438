#include "common/WebBrowser2.h"

#include "platform/com/Exception.h"

namespace {

// The control's dispatch ids.
constexpr DISPID kGoBack = 100;
constexpr DISPID kGoForward = 101;
constexpr DISPID kNavigate = 104;
constexpr DISPID kRefresh = -550;
constexpr DISPID kRefresh2 = 105;
constexpr DISPID kStop = 106;
constexpr DISPID kApplication = 200;
constexpr DISPID kDocument = 203;
constexpr DISPID kLocationUrl = 211;
constexpr DISPID kExecWB = 502;

const CLSID kWebBrowserClsid = {
    0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

}  // namespace

IMPLEMENT_DYNCREATE(CWebBrowser2, CWnd)

const CLSID& CWebBrowser2::GetClsid() {
    return kWebBrowserClsid;
}

BOOL CWebBrowser2::Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID) {
    return CreateControl(GetClsid(), lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

template <typename Call>
bool CWebBrowser2::Guarded(Call call) {
    if (GetSafeHwnd() == nullptr) {
        return false;
    }
    try {
        call();
        return true;
    } catch (CException* pException) {
        pException->Delete();
    }
    return false;
}

void CWebBrowser2::GoBack() {
    Guarded([&] { InvokeHelper(kGoBack, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); });
}

void CWebBrowser2::GoForward() {
    Guarded([&] { InvokeHelper(kGoForward, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); });
}

void CWebBrowser2::Navigate(LPCSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                            VARIANT* Headers) {
    static const BYTE parameters[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    Guarded([&] {
        InvokeHelper(kNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, parameters, URL, Flags,
                     TargetFrameName, PostData, Headers);
    });
}

void CWebBrowser2::Refresh() {
    Guarded([&] { InvokeHelper(kRefresh, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); });
}

void CWebBrowser2::Refresh2(VARIANT* Level) {
    static const BYTE parameters[] = VTS_PVARIANT;
    Guarded(
        [&] { InvokeHelper(kRefresh2, DISPATCH_METHOD, VT_EMPTY, nullptr, parameters, Level); });
}

void CWebBrowser2::Stop() {
    Guarded([&] { InvokeHelper(kStop, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); });
}

LPDISPATCH CWebBrowser2::GetApplication() {
    LPDISPATCH result = nullptr;
    if (!Guarded([&] {
            InvokeHelper(kApplication, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
        })) {
        return nullptr;
    }
    return result;
}

LPDISPATCH CWebBrowser2::GetDocument() {
    LPDISPATCH result = nullptr;
    if (!Guarded([&] {
            InvokeHelper(kDocument, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
        })) {
        return nullptr;
    }
    return result;
}

CString CWebBrowser2::GetLocationURL() {
    CString result;
    if (!Guarded(
            [&] { InvokeHelper(kLocationUrl, DISPATCH_PROPERTYGET, VT_BSTR, &result, nullptr); })) {
        return CString();
    }
    return result;
}

void CWebBrowser2::ExecWB(long cmdID, long cmdexecopt, VARIANT* pvaIn, VARIANT* pvaOut) {
    static const BYTE parameters[] = VTS_I4 VTS_I4 VTS_PVARIANT VTS_PVARIANT;
    Guarded([&] {
        InvokeHelper(kExecWB, DISPATCH_METHOD, VT_EMPTY, nullptr, parameters, cmdID, cmdexecopt,
                     pvaIn, pvaOut);
    });
}
