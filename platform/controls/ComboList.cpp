#include "platform/controls/ComboList.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ListBoxControl.h"

namespace platform {

void RegisterComboListClass() {
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        "ComboLBox", ControlProcedure<ListBoxControl>, CS_DBLCLKS | CS_SAVEBITS);
}

}  // namespace platform
