#include "platform/framework/WindowHandleMap.h"

#include "platform/framework/HandleMap.h"
#include "platform/framework/Wnd.h"

namespace platform {
namespace {

using Windows = HandleMap<HWND, CWnd, &CWnd::m_hWnd>;

}  // namespace

bool WindowHandleMap::Add(HWND hwnd, CWnd* window) {
    return Windows::Add(hwnd, window);
}

void WindowHandleMap::Remove(HWND hwnd) {
    Windows::Remove(hwnd);
}

CWnd* WindowHandleMap::Permanent(HWND hwnd) {
    return Windows::Permanent(hwnd);
}

CWnd* WindowHandleMap::Temporary(HWND hwnd) {
    return Windows::Temporary(hwnd);
}

void WindowHandleMap::DeleteTemporaries() {
    Windows::DeleteTemporaries();
}

}  // namespace platform
