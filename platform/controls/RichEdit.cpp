#include "platform/controls/RichEdit.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/RichEditControl.h"

namespace platform {

void RegisterRichEditClass() {
    // Both the first version's name and the later one open the same control.
    constexpr UINT style = CS_DBLCLKS | CS_GLOBALCLASS;
    [[maybe_unused]] static const ATOM first =
        RegisterControlClass(RICHEDIT_CLASS10A, ControlProcedure<views::RichEditControl>, style);
    [[maybe_unused]] static const ATOM later =
        RegisterControlClass(RICHEDIT_CLASSA, ControlProcedure<views::RichEditControl>, style);
}

}  // namespace platform
