#include "platform/controls/ListBox.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ListBoxControl.h"
#include "platform/controls/ScrollInfo.h"

namespace platform {

void RegisterListBoxClass() {
    InstallWindowScrollBars();
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass("ListBox", ControlProcedure<ListBoxControl>, CS_DBLCLKS);
}

}  // namespace platform
