// The browser's chrome colours: one program-wide set read by every owner-drawn control, loaded
// from the skin file, with the three background brushes made from it.
#pragma once

#include "platform/base/WinTypes.h"

class CTextLineFile;

struct SkinColors {
    int style = 0;  // 1: the system's button face replaces the background colours
    COLORREF toolBackground = 0;
    COLORREF toolText = 0;
    COLORREF tabBackground = 0;
    COLORREF tabText = 0;
    COLORREF tabSelectedBegin = 0;
    COLORREF tabSelectedEnd = 0;
    COLORREF tabSelectedText = 0;
    COLORREF buttonBorder = 0;
    COLORREF buttonBackground = 0;
    COLORREF buttonText = 0;
    COLORREF selectedButtonBorder = 0;
    COLORREF selectedButtonBackground = 0;
    COLORREF selectedButtonText = 0;
    COLORREF newsBackground = 0;
    COLORREF newsText = 0;
    COLORREF statusBackground = 0;
    COLORREF statusItemBackground = 0;
    COLORREF statusItemBorder = 0;
    COLORREF statusText = 0;
    COLORREF progressColor1 = 0;
    COLORREF progressColor2 = 0;
    COLORREF menuBackgroundLeft = 0;
    COLORREF menuBackgroundRight = 0;
    COLORREF menuText = 0;
    COLORREF menuSelectedBorder = 0;
    COLORREF menuSelectedBackground = 0;
    COLORREF menuSelectedText = 0;

    // Solid brushes of toolBackground, tabBackground and statusBackground, owned by the set.
    HBRUSH toolBrush = nullptr;
    HBRUSH tabBrush = nullptr;
    HBRUSH statusBrush = nullptr;

    // The shared fonts that the application creates at start-up for all owner-drawn text (12
    // pixels) and headings (16 pixels); null until then.
    HFONT normalFont = nullptr;
    HFONT headingFont = nullptr;

    // Reads the skin file (keys searched in one forward pass, in the order of the members) and
    // rebuilds the brushes. A file that cannot be opened, or that lacks "[SKIN_CONFIG]" and
    // "[STYLE]", leaves the colours as they were; the brushes are rebuilt either way.
    void Load(const char* path);
};

// The program's one set.
SkinColors& Skin();

// The colour on the value line after `key` ("RGB(r,g,b)", each part's low 8 bits), or
// `defaultColor` when the key or its value line is missing. Parts that do not parse count as 0.
COLORREF ReadSkinColor(CTextLineFile& file, const char* key, COLORREF defaultColor);
