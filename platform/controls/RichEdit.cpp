#include "platform/controls/RichEdit.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/RichEditControl.h"

namespace platform {

void RegisterRichEditClass() {
    // Both the first version's name and the later one open the same control.
    [[maybe_unused]] static const bool registered = [] {
        constexpr UINT style = CS_DBLCLKS | CS_GLOBALCLASS;
        const WNDPROC procedure = ControlProcedure<views::RichEditControl>;
        const bool first = RegisterControlClass(RICHEDIT_CLASS10A, procedure, style) != 0;
        return RegisterControlClass(RICHEDIT_CLASSA, procedure, style) != 0 && first;
    }();
}

}  // namespace platform
