#include "platform/controls/ComboBox.h"

#include "platform/controls/ComboBoxControl.h"
#include "platform/controls/ComboList.h"
#include "platform/controls/ControlWindow.h"

namespace platform {

void RegisterComboBoxClass() {
    RegisterComboListClass();
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        "ComboBox", ControlProcedure<ComboBoxControl>, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

}  // namespace platform
