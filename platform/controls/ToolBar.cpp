#include "platform/controls/ToolBar.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ToolBarControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void RegisterToolBarClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(TOOLBARCLASSNAMEA, ControlProcedure<ToolBarControl>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace platform
