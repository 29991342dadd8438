#include "platform/controls/TreeView.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/TreeViewControl.h"

namespace platform {

void RegisterTreeViewClass() {
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        WC_TREEVIEWA, ControlProcedure<views::TreeViewControl>, CS_DBLCLKS | CS_GLOBALCLASS);
}

}  // namespace platform
