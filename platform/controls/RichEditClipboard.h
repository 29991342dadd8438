// The rich edit's access to the clipboard that SetRichEditClipboard connects.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::views {

bool PutClipboardText(std::string_view text);
std::optional<std::string> TakeClipboardText();

}  // namespace platform::views
