// The buttons of each message box type, in order, with the system's texts.
#pragma once

#include <optional>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

struct MessageBoxButton {
    int id = 0;
    const char* text = "";
};

class MessageBoxButtons {
public:
    // The set of MB_OK .. MB_CANCELTRYCONTINUE; nothing for any other type.
    static std::optional<std::vector<MessageBoxButton>> For(UINT type);
    // The index of the default button: MB_DEFBUTTONn, the first when there is no n-th.
    static size_t DefaultIndex(UINT type, size_t count);
    // What Esc and closing give: IDCANCEL with a cancel button, IDOK when OK stands alone, else
    // 0 (the box stays).
    static int CancelResult(const std::vector<MessageBoxButton>& buttons);
};

}  // namespace platform
