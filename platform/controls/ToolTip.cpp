#include "platform/controls/ToolTip.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ToolTipControl.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void RegisterToolTipClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(TOOLTIPS_CLASSA, ControlProcedure<ToolTipControl>, 0);
}

}  // namespace platform
