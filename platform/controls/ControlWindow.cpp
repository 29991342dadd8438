#include "platform/controls/ControlWindow.h"

#include "platform/windows/WindowPlatform.h"

namespace platform {

ATOM RegisterControlClass(LPCSTR name, WNDPROC procedure, UINT style, HBRUSH background,
                          HCURSOR cursor) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(void*);
    windowClass.hbrBackground = background;
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = name;
    return RegisterSystemClass(windowClass);
}

}  // namespace platform
