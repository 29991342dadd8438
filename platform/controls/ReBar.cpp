#include "platform/controls/ReBar.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ReBarControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void RegisterReBarClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(REBARCLASSNAMEA, ControlProcedure<ReBarControl>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace platform
