// Where the edit controls put and take text for WM_COPY, WM_CUT and WM_PASTE. The clipboard
// installs itself here; until it does, copying keeps nothing and pasting finds no text.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct EditClipboard {
    // Replaces the clipboard's contents with GBK text.
    std::function<void(std::string_view)> put;
    // The clipboard's text, or nothing when it holds none.
    std::function<std::optional<std::string>()> take;
};

void SetEditClipboard(EditClipboard clipboard);
void PutEditClipboardText(std::string_view text);
std::optional<std::string> TakeEditClipboardText();

}  // namespace platform
