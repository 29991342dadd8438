// The desktop's page engine behind the web browser control: one WebKitGTK web view per control,
// placed at the control's rectangle inside the presenter's window of the control's top-level
// window, above the platform's pixels there, and shown and hidden with the control. A click in the
// view gives it the keyboard; a click on the window's own pixels takes the keyboard back.
//
// Threads: the view lives on the presenter's GTK thread. The control's calls are handed over with
// g_idle_add and never wait; what the view reports goes to the control's window thread
// (RunOnWindowThread). A navigation the page starts waits for the control's answer to
// BeforeNavigate2 without blocking either thread: WebKit's policy decision is kept and answered
// when the control's thread has asked the sinks.
//
// Cookies and local storage are kept in $XDG_DATA_HOME/larchway/web (else
// ~/.local/share/larchway/web), the cache in $XDG_CACHE_HOME/larchway/web (else
// ~/.cache/larchway/web): one profile for every program of the family and every control.
#pragma once

#include <memory>

#include "platform/webcontrol/WebEngine.h"

namespace platform {

class GtkPresenter;

class WebKitView final : public webcontrol::WebEngine {
public:
    // Offers WebKit to the web controls made from now on, in the windows `presenter` shows.
    static void Offer(GtkPresenter* presenter);
    // The controls made from now on run their own engine.
    static void Withdraw();

    ~WebKitView() override;

    void Load(const std::string& address) override;
    void ShowErrorPage(const std::string& address, const std::string& html) override;
    void Travel(int steps) override;
    void Reload() override;
    void Stop() override;
    void Place(HWND topLevel, const RECT& rect, bool visible) override;

    // The GTK thread's side of a view, and the control's side that the view reports to.
    struct View;
    struct Reporter;

private:
    WebKitView(HWND control, webcontrol::WebEngineHost& host);
    static std::unique_ptr<webcontrol::WebEngine> Create(HWND control,
                                                         webcontrol::WebEngineHost& host);

    std::shared_ptr<Reporter> reporter_;
    std::shared_ptr<View> view_;
};

}  // namespace platform
