#include "platform/controls/ListView.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ListViewControl.h"

namespace platform {

void RegisterListViewClass() {
    RegisterHeaderClass();
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        WC_LISTVIEWA, ControlProcedure<views::ListViewControl>, CS_DBLCLKS | CS_GLOBALCLASS);
}

}  // namespace platform
