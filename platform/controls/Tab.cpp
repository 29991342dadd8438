#include "platform/controls/Tab.h"

#include "platform/controls/ControlWindow.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/TabScrollerControl.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void RegisterTabControlClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(WC_TABCONTROLA, ControlProcedure<TabControl>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    [[maybe_unused]] static const ATOM arrows =
        RegisterControlClass(kTabScrollerClass, ControlProcedure<TabScrollerControl>, CS_DBLCLKS);
}

}  // namespace platform
