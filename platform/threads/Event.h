// The event object behind CreateEventA: manual-reset events stay signalled until reset and
// release every waiter; auto-reset events release one waiter and reset as it passes.
#pragma once

#include "platform/threads/Waitable.h"

namespace platform {

class Event : public Waitable {
public:
    Event(bool manualReset, bool initiallySignaled)
        : manualReset_(manualReset), signaled_(initiallySignaled) {}

    void Set();
    void Reset();

protected:
    bool IsSignaled() const override { return signaled_; }
    void Consume() override;

private:
    const bool manualReset_;
    bool signaled_;
};

}  // namespace platform
