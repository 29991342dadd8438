#include "platform/controls/EditClipboard.h"

#include <mutex>

namespace platform {

namespace {

std::mutex clipboard_mutex;

EditClipboard& Installed() {
    static EditClipboard clipboard;
    return clipboard;
}

}  // namespace

void SetEditClipboard(EditClipboard clipboard) {
    std::lock_guard lock(clipboard_mutex);
    Installed() = std::move(clipboard);
}

void PutEditClipboardText(std::string_view text) {
    std::function<void(std::string_view)> put;
    {
        std::lock_guard lock(clipboard_mutex);
        put = Installed().put;
    }
    if (put) {
        put(text);
    }
}

std::optional<std::string> TakeEditClipboardText() {
    std::function<std::optional<std::string>()> take;
    {
        std::lock_guard lock(clipboard_mutex);
        take = Installed().take;
    }
    return take ? take() : std::nullopt;
}

}  // namespace platform
