// The desktop manager's program-wide fonts and brushes, made once at start-up by the application
// object and drawn with by every page.
#pragma once

#include "platform/base/WinTypes.h"

struct ManagerGdi {
    // "黑体" 20, width 10: the plan dialogs' text.
    HFONT headingFont = nullptr;
    // "宋体" 12: page titles, the month grid's texts, hint buttons.
    HFONT uiFont = nullptr;
    // "宋体" 18, underlined, and "宋体" 24: the idiom dictionary.
    HFONT font18Underline = nullptr;
    HFONT font24 = nullptr;
    // "宋体" 24 bold: the month grid's day numbers.
    HFONT font24Bold = nullptr;

    HBRUSH greyBrush = nullptr;        // RGB(221,221,221)
    HBRUSH lilacBrush = nullptr;       // RGB(212,212,222)
    HBRUSH paleYellowBrush = nullptr;  // RGB(222,222,155)
    HBRUSH darkGreyBrush = nullptr;    // RGB(50,50,50)

    // Makes every object anew (deleting the ones made before).
    void Create();
    void Destroy();
};

// The program's one set.
ManagerGdi& Gdi();
