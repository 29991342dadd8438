// Where the parts of a message box go, in client pixels: the icon at the top left, the text
// beside it (centred on the icon when shorter), and the row of buttons centred below, the box
// as wide as the wider of the two.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

struct MessageBoxLayout {
    static constexpr int kMargin = 12;
    static constexpr int kIconSize = 32;
    static constexpr int kIconGap = 12;
    static constexpr int kButtonWidth = 75;
    static constexpr int kButtonHeight = 23;
    static constexpr int kButtonGap = 6;
    static constexpr int kButtonRowGap = 14;

    SIZE client{};
    RECT icon{};  // empty without an icon
    RECT text{};
    std::vector<RECT> buttons;

    // `textSize` is the wrapped text's extent.
    static MessageBoxLayout Compute(SIZE textSize, bool hasIcon, int buttonCount);
    // The widest line the text may take before it wraps: five eighths of the screen.
    static int MaxTextWidth(int screenWidth) { return screenWidth * 5 / 8; }
};

}  // namespace platform
