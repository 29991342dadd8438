// A downloaded update waiting to be installed: the update service leaves the new program file as
// data\quorra.np, and the outside updater "ux.exe" puts it in place while the browser is not
// running.
#pragma once

#include "platform/base/WinTypes.h"

class CPendingUpdate {
public:
    // TRUE when data\quorra.np exists and its digest differs from that of quorra.exe. A file that
    // cannot be read has an empty digest, so an unreadable pending file counts as different.
    static BOOL Check();
    // Starts "ux.exe update"; TRUE when it started.
    static BOOL StartUpdater();
};
