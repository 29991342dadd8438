// The window-class wrapper of the WebBrowser ActiveX control: every page, pane and panel that
// shows a web page creates and drives its control through it, by automation dispatch ids.
//
// Every member does nothing, and returns an empty value, while the wrapper has no window; a
// failure inside the control (an exception from the dispatch call) is swallowed the same way,
// so that callers never need to guard a page that is still loading or already closing.
#pragma once

#include "platform/framework/Wnd.h"

class CWebBrowser2 : public CWnd {
    DECLARE_DYNCREATE(CWebBrowser2)

public:
    // The control's class id, {8856F961-340A-11D0-A96B-00C04FD705A2}.
    static const CLSID& GetClsid();

    virtual BOOL Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID);

    void GoBack();
    void GoForward();
    // Callers pass null for the four optional arguments.
    void Navigate(LPCSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                  VARIANT* Headers);
    void Refresh();
    void Refresh2(VARIANT* Level);
    void Stop();
    // Both hand out a reference the caller releases; null when there is none.
    LPDISPATCH GetApplication();
    LPDISPATCH GetDocument();
    CString GetLocationURL();
    void ExecWB(long cmdID, long cmdexecopt, VARIANT* pvaIn, VARIANT* pvaOut);

private:
    // Runs one dispatch call when there is a window, swallowing what it throws; false when
    // there was no window or the call failed.
    template <typename Call>
    bool Guarded(Call call);
};
