// The update service's worker thread, which the main frame starts when it is created and stops
// and joins before it saves the settings at close.
#pragma once

#include "platform/base/WinTypes.h"

// pParam is a manual-reset event that the frame sets to ask the thread to end. The update service
// (fetching the start page and the listed files) is not written yet: until it is, the thread does
// no work and only waits for that request. 0.
UINT UpdateThread(LPVOID pParam);
