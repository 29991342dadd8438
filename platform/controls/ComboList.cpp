#include "platform/controls/ComboList.h"

#include <mutex>

#include "platform/controls/ListBoxControl.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

void RegisterComboListClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS | CS_SAVEBITS;
        windowClass.lpfnWndProc = ListBoxProcedure;
        windowClass.cbWndExtra = sizeof(ListBoxControl*);
        windowClass.lpszClassName = "ComboLBox";
        RegisterSystemClass(windowClass);
    });
}

}  // namespace platform
