// The desktop's page engine (WebKitView) is a module of its own, webkitview.so beside the program
// and its desktop module: WebKitGTK and its many libraries load with the first web control made on
// a desktop, not at every desktop start, and never in a program that has no web control (the tray
// companion). The module calls the desktop module's presenter and the program's platform
// libraries, as the desktop module does.
//
// When the module is missing or does not load, the first web control says so once on stderr, and
// that control and every later one run their own engine: pages are loaded, scripted and reported
// as headless, and nothing of them is painted.
#pragma once

#include "platform/webcontrol/WebEngine.h"

namespace platform {

class GtkPresenter;

inline constexpr char kWebKitModuleName[] = "webkitview.so";

class WebKitModule {
public:
    // Offers the engine to the web controls made from now on, in the windows `presenter` shows;
    // the module is loaded when the first of them is made.
    static void Offer(GtkPresenter* presenter);
    // The controls made from now on run their own engine.
    static void Withdraw();
};

}  // namespace platform

extern "C" {

// The module's side: WebKitView::Offer, which returns the factory it registered, and
// WebKitView::Withdraw.
platform::webcontrol::WebEngineFactory PlatformOfferWebKit(platform::GtkPresenter* presenter);
void PlatformWithdrawWebKit();
}
