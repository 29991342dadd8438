// The engine seam of the web browser control: what shows and loads the pages of a control that has
// a window. Headless, the control runs its own engine (web::Page: parsed, scripted, laid out, not
// painted). On a desktop the display module offers a real one (WebKitGTK, in desktopdisplay.so),
// which registers its factory here when the desktop starts; the control then hands it the
// navigations it has let through and turns what the engine reports into its events.
//
// Threads: the control calls its engine on the control window's thread and never waits for it;
// the engine calls the host on that thread too, in the order things happened. Addresses are the
// engine's own (file:///tmp/a.htm, not the control's file:///Z:/tmp/a.htm), in UTF-8.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/windows/WindowStructs.h"

namespace platform::webcontrol {

// A page of the engine's back and forward history.
struct EngineHistoryEntry {
    std::string address;
    // "" while the page names none.
    std::string title;
};

class WebEngineHost {
public:
    virtual ~WebEngineHost() = default;

    // A navigation of the top document that the page or the travel through the history started
    // (a link, a script, back and forward): true cancels it. Navigations the control asked for
    // itself are not asked again.
    virtual bool OnBeforeNavigate(const std::string& address) = 0;
    // `reload`: the load is the Reload the control asked for, of the page shown.
    virtual void OnLoadStarted(const std::string& address, bool reload) = 0;
    // The document at `address` replaced the one shown.
    virtual void OnLoadCommitted(const std::string& address) = 0;
    // The estimated share of the load done, 0 to 1.
    virtual void OnProgress(double done) = 0;
    virtual void OnTitle(const std::string& title) = 0;
    virtual void OnLoadFinished() = 0;
    // The load of `address` failed with an INET_E_ code, or the server answered with an HTTP
    // error status (400 and above), which is given instead; no OnLoadFinished follows, and the
    // engine shows nothing of its own.
    virtual void OnLoadFailed(const std::string& address, LONG status) = 0;
    // The load ended without a document (stopped, or replaced by another navigation before it
    // committed); no OnLoadFinished follows.
    virtual void OnLoadStopped() = 0;
    // A frame's document: `frame` names the document (another document in the same frame has
    // another). Committed as the document replaced the one the frame showed, finished as it and
    // its own frames have loaded. The engine cannot tell a frame's navigation from the top
    // document's before it commits: a frame's navigation is asked as the top document's
    // (OnBeforeNavigate).
    virtual void OnFrameCommitted(const std::string& frame, const std::string& address) = 0;
    virtual void OnFrameFinished(const std::string& frame) = 0;
    // The page opens a window at `address` (a script, a link to a new window); the engine opens
    // none of its own: the page's script keeps no hold of the window it opened.
    virtual void OnOpenWindow(const std::string& address) = 0;
    // The page's script closes its window.
    virtual void OnCloseRequested() = 0;
    // The link under the mouse; "" when the mouse left it.
    virtual void OnHoveredLink(const std::string& address) = 0;
    // The engine's back and forward history, oldest first, and the index of the page shown.
    virtual void OnHistory(const std::vector<EngineHistoryEntry>& entries, size_t current) = 0;
};

class WebEngine {
public:
    virtual ~WebEngine() = default;

    virtual void Load(const std::string& address) = 0;
    // Shows `html` (UTF-8) in place of the page at `address`, which could not be loaded.
    virtual void ShowErrorPage(const std::string& address, const std::string& html) = 0;
    // Goes `steps` pages back (negative) or forward in the engine's history.
    virtual void Travel(int steps) = 0;
    virtual void Reload() = 0;
    virtual void Stop() = 0;
    // Where the control's window is: `rect` in the window coordinates of its top-level window
    // `topLevel`, shown or not.
    virtual void Place(HWND topLevel, const RECT& rect, bool visible) = 0;
};

// Makes the engine of the control whose window is `control`; null when it cannot.
using WebEngineFactory = std::unique_ptr<WebEngine> (*)(HWND control, WebEngineHost& host);

// Weak: a program without the web control has no such function, and the display module offers no
// engine to it. Null puts the controls made from then on back on their own engine.
[[gnu::weak]] void SetWebEngineFactory(WebEngineFactory factory);
// The factory registered now; null when none is.
WebEngineFactory CurrentWebEngineFactory();

}  // namespace platform::webcontrol
