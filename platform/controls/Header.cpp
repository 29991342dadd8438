#include "platform/controls/Header.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/HeaderControl.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void RegisterHeaderClass() {
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        WC_HEADERA, ControlProcedure<views::HeaderControl>, CS_DBLCLKS | CS_GLOBALCLASS);
}

}  // namespace platform
