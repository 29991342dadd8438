// A registered window class: what CreateWindowEx copies into every window of that class.
#pragma once

#include <string>

#include "platform/windows/WindowStructs.h"

namespace platform {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int classExtraBytes = 0;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr;
    // System classes (the controls, the dialog) belong to no module and outlive a reset.
    bool system = false;
    int windowCount = 0;
};

}  // namespace platform
