#include "browser/ChromeHost.h"

#include "platform/framework/FrameWnd.h"

ChromeHost* ChromeHost::Of(const CWnd* control) {
    return control != nullptr ? dynamic_cast<ChromeHost*>(control->GetParentFrame()) : nullptr;
}
