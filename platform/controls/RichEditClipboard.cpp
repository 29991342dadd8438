#include "platform/controls/RichEditClipboard.h"

#include <mutex>

#include "platform/controls/RichEdit.h"

namespace platform {
namespace {

struct ClipboardSlot {
    std::mutex mutex;
    RichEditClipboard connected;
    // What the controls share while no clipboard is connected.
    std::optional<std::string> own;
};

ClipboardSlot& Slot() {
    static ClipboardSlot slot;
    return slot;
}

}  // namespace

void SetRichEditClipboard(RichEditClipboard clipboard) {
    ClipboardSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    slot.connected = std::move(clipboard);
    slot.own.reset();
}

namespace views {

bool PutClipboardText(std::string_view text) {
    ClipboardSlot& slot = Slot();
    std::unique_lock lock(slot.mutex);
    if (auto put = slot.connected.put) {
        lock.unlock();
        return put(text);
    }
    slot.own = std::string(text);
    return true;
}

std::optional<std::string> TakeClipboardText() {
    ClipboardSlot& slot = Slot();
    std::unique_lock lock(slot.mutex);
    if (auto take = slot.connected.take) {
        lock.unlock();
        return take();
    }
    return slot.own;
}

}  // namespace views
}  // namespace platform
