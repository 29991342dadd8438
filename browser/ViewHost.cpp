#include "browser/ViewHost.h"

#include "platform/framework/FrameWnd.h"

ViewHost* ViewHost::Of(const CWnd* window) {
    return window != nullptr ? dynamic_cast<ViewHost*>(window->GetParentFrame()) : nullptr;
}
