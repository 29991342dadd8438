#include "picture/QuorView.h"

#include "browser/ViewHost.h"
#include "common/AppFolder.h"

namespace glintora {

// Written out: the macro names the base's runtime class by pasting, which cannot reach the
// browser's class of the same name outside this namespace.
CObject* CQuorView::CreateObject() {
    return new CQuorView;
}
CRuntimeClass CQuorView::classCQuorView = {"CQuorView", sizeof(CQuorView), 0xFFFF,
                                           &CQuorView::CreateObject, &::CQuorView::classCQuorView};
CRuntimeClass* CQuorView::GetRuntimeClass() const {
    return &classCQuorView;
}

void CQuorView::OpenFirstPages() {
    ViewHost* host = ViewHost::Of(this);
    if (host == nullptr) {
        return;
    }
    host->OpenUrl("about:blank", 1, 1);
    host->OpenUrl(GetAppFolder() + "data\\main.htm", 0, 1);
}

}  // namespace glintora
