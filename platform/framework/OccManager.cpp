#include "platform/framework/OccManager.h"

#include <atomic>

namespace {

std::atomic<COccManager*> enabledManager{nullptr};

}  // namespace

void AfxEnableControlContainer(COccManager* pManager) {
    static COccManager defaultManager;
    enabledManager = pManager != nullptr ? pManager : &defaultManager;
}

COccManager* AfxGetOccManager() {
    return enabledManager;
}
