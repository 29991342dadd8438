// The entry points of webkitview.so, found by name as the desktop module loads it.
#include "platform/display/WebKitModule.h"
#include "platform/display/WebKitView.h"

extern "C" platform::webcontrol::WebEngineFactory PlatformOfferWebKit(
    platform::GtkPresenter* presenter) {
    platform::WebKitView::Offer(presenter);
    return platform::webcontrol::CurrentWebEngineFactory();
}

extern "C" void PlatformWithdrawWebKit() {
    platform::WebKitView::Withdraw();
}
