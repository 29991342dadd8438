// Which framework object each window handle is attached to (for the whole process, since other
// threads look windows up too), and the calling thread's temporary objects for handles that have
// none.
#pragma once

#include "platform/base/WinTypes.h"

class CWnd;

namespace platform {

class WindowHandleMap {
public:
    // False when the handle already has an object.
    static bool Add(HWND hwnd, CWnd* window);
    static void Remove(HWND hwnd);
    static CWnd* Permanent(HWND hwnd);
    static CWnd* Temporary(HWND hwnd);
    static void DeleteTemporaries();
};

}  // namespace platform
