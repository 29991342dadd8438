// The picture collector's update worker, which the frame starts when it is created. It fetches the
// update page from the update server (data\update.dat of the program folder names it, as for the
// browser); a reply that holds "[HTML_END]" after its first byte becomes data\main.htm, and every
// file of its file list whose MD5 digest differs from the listed one is downloaded into
// data\data.dat, checked against the listed digest and only then copied into place. Paths that
// could leave the program folder are refused, and every list field is read within its limit.
//
// The frame asks the worker to stop when it closes and joins it; the downloads give up then.
#pragma once

#include "platform/base/WinTypes.h"

namespace glintora {

// pParam (the frame) is not used. Clears the settings store's updateThread when it ends. 0 after
// the file list, 1 when the page cannot be had.
UINT UpdateThread(LPVOID pParam);

}  // namespace glintora
