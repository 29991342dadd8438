// Dialog units to pixels, as MapDialogRect converts them: a horizontal unit is a quarter of the
// dialog font's average character width and a vertical unit an eighth of its character height,
// each product rounded to the nearest pixel (halves away from zero). The drawing layer measures
// the font; these functions only do the arithmetic.
#pragma once

#include "platform/base/WinTypes.h"

namespace platform {

struct DialogBaseUnits {
    int x = 0;  // average character width in pixels
    int y = 0;  // character height in pixels
};

// The average width the original platform takes for a dialog font: the extent of the 52 letters
// "A".."Z" "a".."z" in pixels, divided by 26 and halved, rounding up.
int AverageCharWidthFromLetters(int extentOf52Letters);

int DialogUnitsToPixelsX(int units, DialogBaseUnits base);
int DialogUnitsToPixelsY(int units, DialogBaseUnits base);
RECT DialogUnitsToPixels(const RECT& units, DialogBaseUnits base);

}  // namespace platform
