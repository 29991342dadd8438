// The control's events as its sinks receive them: IDispatch::Invoke with the event's dispatch id
// and its parameters in DISPPARAMS, last parameter first, typed as the original control types
// them (in-out values as VT_BYREF). The events that may be cancelled say whether a sink set
// Cancel (any nonzero value counts).
#pragma once

#include <string>

#include "platform/com/ConnectionPoint.h"

namespace platform::webcontrol {

class BrowserEvents {
public:
    explicit BrowserEvents(ConnectionPoint& point) : point_(point) {}

    bool BeforeNavigate2(IDispatch* browser, const std::string& url,
                         const std::string& targetFrame);
    // Returns the cancel flag; `*browser` is what a sink handed back (null when none did).
    bool NewWindow2(IDispatch** browser);
    void NavigateComplete2(IDispatch* browser, const std::string& url);
    void DocumentComplete(IDispatch* browser, const std::string& url);
    bool NavigateError(IDispatch* browser, const std::string& url, const std::string& targetFrame,
                       LONG status);
    void DownloadBegin();
    void DownloadComplete();
    void ProgressChange(LONG progress, LONG progressMax);
    void StatusTextChange(const std::string& text);
    void TitleChange(const std::string& text);
    void CommandStateChange(LONG command, bool enable);
    bool WindowClosing(bool childWindow);

private:
    void Raise(DISPID member, VARIANT* arguments, UINT count);

    ConnectionPoint& point_;
};

}  // namespace platform::webcontrol
