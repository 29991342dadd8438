#include "platform/drawing/ImageList.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

// Lists are handed between threads (a frame's bars are built on one and drawn on another), so
// the attached objects are known process-wide.
std::mutex attachedMutex;
std::unordered_map<HIMAGELIST, CImageList*>& Attached() {
    static std::unordered_map<HIMAGELIST, CImageList*> attached;
    return attached;
}

}  // namespace

BOOL CImageList::Attach(HIMAGELIST list) {
    if (list == nullptr || m_hImageList != nullptr) {
        return FALSE;
    }
    std::lock_guard lock(attachedMutex);
    if (!Attached().emplace(list, this).second) {
        return FALSE;
    }
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    if (list != nullptr) {
        std::lock_guard lock(attachedMutex);
        if (auto found = Attached().find(list);
            found != Attached().end() && found->second == this) {
            Attached().erase(found);
        }
    }
    return list;
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST list) {
    std::lock_guard lock(attachedMutex);
    const auto found = Attached().find(list);
    return found != Attached().end() ? found->second : nullptr;
}

CImageList* CImageList::FromHandle(HIMAGELIST list) {
    if (list == nullptr) {
        return nullptr;
    }
    if (CImageList* attached = FromHandlePermanent(list)) {
        return attached;
    }
    struct Release {
        void operator()(CImageList* temporary) const {
            temporary->m_hImageList = nullptr;
            delete temporary;
        }
    };
    thread_local std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList, Release>> temporaries;
    auto& slot = temporaries[list];
    if (!slot) {
        slot.reset(new CImageList);
        slot->m_hImageList = list;
    }
    return slot.get();
}
