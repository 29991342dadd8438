// The note editor's colour menu: an owner-drawn popup of 16 colours, each item a swatch and the
// colour's name. Item i has the id kFirstId + i and i as its item data.
#pragma once

#include "platform/framework/Menu.h"

class CColorMenu : public CMenu {
public:
    static constexpr UINT kFirstId = 1037;
    static constexpr int kColors = 16;

    struct Row {
        const char* name;
        COLORREF color;
    };
    static const Row kRows[kColors];

    // A popup menu with the 16 rows.
    BOOL CreateColorMenu();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Every item 100 x 20.
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
};
