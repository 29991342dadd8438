// Which framework menu object each menu handle is attached to (for the whole process, like the
// windows' map), and the calling thread's temporary objects for handles that have none.
#pragma once

#include <functional>

#include "platform/base/WinTypes.h"

class CMenu;

namespace platform {

class MenuHandleMap {
public:
    // False when the handle already has an object.
    static bool Add(HMENU menu, CMenu* object);
    static void Remove(HMENU menu);
    static CMenu* Permanent(HMENU menu);
    static CMenu* Temporary(HMENU menu);
    static void DeleteTemporaries();
    // Calls `visit` for each attached handle until it returns true; the map is not locked while
    // `visit` runs.
    static CMenu* FindPermanent(const std::function<bool(HMENU)>& visit);
};

}  // namespace platform
