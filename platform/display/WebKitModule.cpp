#include "platform/display/WebKitModule.h"

#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "platform/display/Display.h"

namespace platform {

namespace {

using OfferFunction = webcontrol::WebEngineFactory (*)(GtkPresenter*);
using WithdrawFunction = void (*)();

std::mutex mutex;
// The presenter the engine is offered for; null while it is withdrawn.
GtkPresenter* offered = nullptr;
OfferFunction offer = nullptr;
WithdrawFunction withdraw = nullptr;
bool unavailable = false;

// Loads the module beside the program; false, said once on stderr, when it cannot. The module
// stays loaded, as WebKit cannot be unloaded.
bool LoadModule() {
    if (offer != nullptr) {
        return true;
    }
    if (unavailable) {
        return false;
    }
    std::string path;
    std::string reason;
    if (void* module = OpenModuleBesideProgram(kWebKitModuleName, path, reason)) {
        offer = reinterpret_cast<OfferFunction>(dlsym(module, "PlatformOfferWebKit"));
        withdraw = reinterpret_cast<WithdrawFunction>(dlsym(module, "PlatformWithdrawWebKit"));
        if (offer != nullptr && withdraw != nullptr) {
            return true;
        }
        offer = nullptr;
        reason = "it lacks its entry points";
    }
    unavailable = true;
    std::fprintf(stderr,
                 "The page engine module %s could not be loaded (%s); web controls show no "
                 "pages.\n",
                 path.c_str(), reason.c_str());
    return false;
}

// The factory offered until the module is loaded: loads it, lets it offer its own factory and
// makes the control's engine with that. Null, the control then running its own engine, when the
// module is missing.
std::unique_ptr<webcontrol::WebEngine> LoadAndCreate(HWND control,
                                                     webcontrol::WebEngineHost& host) {
    webcontrol::WebEngineFactory made = nullptr;
    {
        std::lock_guard lock(mutex);
        if (offered == nullptr) {
            return nullptr;
        }
        if (!LoadModule()) {
            webcontrol::SetWebEngineFactory(nullptr);
            return nullptr;
        }
        made = offer(offered);
    }
    return made != nullptr ? made(control, host) : nullptr;
}

}  // namespace

void WebKitModule::Offer(GtkPresenter* presenter) {
    // A program without the web control has no factory to set.
    if (webcontrol::SetWebEngineFactory == nullptr) {
        return;
    }
    std::lock_guard lock(mutex);
    offered = presenter;
    if (offer != nullptr) {
        offer(presenter);
    } else if (!unavailable) {
        webcontrol::SetWebEngineFactory(&LoadAndCreate);
    }
}

void WebKitModule::Withdraw() {
    if (webcontrol::SetWebEngineFactory == nullptr) {
        return;
    }
    std::lock_guard lock(mutex);
    offered = nullptr;
    if (withdraw != nullptr) {
        withdraw();
    } else {
        webcontrol::SetWebEngineFactory(nullptr);
    }
}

}  // namespace platform
