#include "manager/GMyCaDlg.h"

#include "manager/ShutdownTimerPage.h"
#include "resources/deskvane/resource.h"

GMyCaDlg::GMyCaDlg() : CSubPageHost(IDD_SYSTEM_TOOLS, "系统功能", kSystemSkinKey, kChildren) {}

std::unique_ptr<CDialog> GMyCaDlg::CreateChild(int index, UINT& templateId) {
    switch (index) {
        case kShutdown:
            templateId = IDD_SHUTDOWN;
            return std::make_unique<CShutdownTimerPage>();
        default:
            return nullptr;
    }
}
