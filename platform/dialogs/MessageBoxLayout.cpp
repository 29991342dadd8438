#include "platform/dialogs/MessageBoxLayout.h"

#include <algorithm>

namespace platform {

MessageBoxLayout MessageBoxLayout::Compute(SIZE textSize, bool hasIcon, int buttonCount) {
    MessageBoxLayout layout;
    const int iconSize = hasIcon ? kIconSize : 0;
    const int textLeft = hasIcon ? kMargin + kIconSize + kIconGap : kMargin;
    const int contentHeight = std::max<int>(textSize.cy, iconSize);
    const int textTop = kMargin + (contentHeight - textSize.cy) / 2;
    if (hasIcon) {
        layout.icon = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
    }
    layout.text = RECT{textLeft, textTop, textLeft + textSize.cx, textTop + textSize.cy};

    const int count = std::max(buttonCount, 0);
    const int rowWidth = count * kButtonWidth + std::max(count - 1, 0) * kButtonGap;
    const int width = std::max<int>(textLeft + textSize.cx + kMargin, rowWidth + 2 * kMargin);
    const int rowTop = kMargin + contentHeight + kButtonRowGap;
    int left = (width - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        layout.buttons.push_back(RECT{left, rowTop, left + kButtonWidth, rowTop + kButtonHeight});
        left += kButtonWidth + kButtonGap;
    }
    layout.client = SIZE{width, rowTop + kButtonHeight + kMargin};
    return layout;
}

}  // namespace platform
