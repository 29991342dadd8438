#include "platform/threads/Event.h"

namespace platform {

void Event::Set() {
    ChangeState([this] { signaled_ = true; });
}

void Event::Reset() {
    ChangeState([this] { signaled_ = false; });
}

void Event::Consume() {
    if (!manualReset_) {
        signaled_ = false;
    }
}

}  // namespace platform
