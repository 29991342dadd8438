// The progress bar control ("msctls_progress32"): a position inside a range, drawn as a row of
// blocks (or one smooth bar with PBS_SMOOTH) in the bar colour over the background colour.
#pragma once

#include "platform/windows/WindowStructs.h"

#define PROGRESS_CLASSA "msctls_progress32"
#define PROGRESS_CLASS PROGRESS_CLASSA

#define PBS_SMOOTH 0x01
#define PBS_VERTICAL 0x04

#define PBM_SETRANGE (WM_USER + 1)
#define PBM_SETPOS (WM_USER + 2)
#define PBM_DELTAPOS (WM_USER + 3)
#define PBM_SETSTEP (WM_USER + 4)
#define PBM_STEPIT (WM_USER + 5)
#define PBM_SETRANGE32 (WM_USER + 6)
#define PBM_GETRANGE (WM_USER + 7)
#define PBM_GETPOS (WM_USER + 8)
#define PBM_SETBARCOLOR (WM_USER + 9)
// The common controls' CCM_SETBKCOLOR.
#define PBM_SETBKCOLOR 0x2001

struct PBRANGE {
    int iLow;
    int iHigh;
};
using PPBRANGE = PBRANGE*;

namespace platform {

void RegisterProgressClass();

}  // namespace platform
