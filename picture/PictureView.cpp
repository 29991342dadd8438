#include "picture/PictureView.h"

#include "browser/ViewHost.h"
#include "common/AppFolder.h"

IMPLEMENT_DYNCREATE(CPictureView, CQuorView)

void CPictureView::OpenFirstPages() {
    ViewHost* host = ViewHost::Of(this);
    if (host == nullptr) {
        return;
    }
    host->OpenUrl("about:blank", 1, 1);
    host->OpenUrl(GetAppFolder() + "data\\main.htm", 0, 1);
}
