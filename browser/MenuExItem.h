// One item of an owner-drawn menu as the menu keeps it: what its measuring and drawing need.
#pragma once

#include <memory>

#include "platform/text/CString.h"

class CMenuEx;

struct MenuExItem {
    MenuExItem();
    ~MenuExItem();

    CString text;  // empty for a separator
    int id = 0;    // command id; 0 separator; -1 pop-up
    int width = 0;
    int height = 0;
    int imageIndex = -1;  // -1: no image
    int isPopup = 0;
    std::unique_ptr<CMenuEx> subMenu;  // the pop-up's own menu
};
