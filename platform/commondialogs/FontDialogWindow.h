// The font dialog's window: lists of faces, styles and sizes, the effects when asked for, a
// sample drawn in the chosen font, OK and Cancel.
#pragma once

#include <optional>
#include <string>

#include "platform/commondialogs/FontChoice.h"
#include "platform/windows/WindowStructs.h"

namespace platform {

struct FontDialogSetup {
    HWND owner = nullptr;
    FontSelection initial;
    bool effects = false;
    int minimumSize = 0;
    int maximumSize = 0x7FFF;
};

class FontDialogWindow {
public:
    // Nothing when cancelled or when the dialog could not be made.
    static std::optional<FontSelection> Run(const FontDialogSetup& setup);
};

}  // namespace platform
