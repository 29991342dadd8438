#include "platform/controls/StatusBar.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/StatusBarControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void RegisterStatusBarClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(STATUSCLASSNAMEA, ControlProcedure<StatusBarControl>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace platform
