#include "platform/webcontrol/WebEngine.h"

#include <atomic>

namespace platform::webcontrol {

namespace {

std::atomic<WebEngineFactory> factory{nullptr};

}  // namespace

void SetWebEngineFactory(WebEngineFactory made) {
    factory = made;
}

WebEngineFactory CurrentWebEngineFactory() {
    return factory;
}

}  // namespace platform::webcontrol
