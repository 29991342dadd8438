#include "platform/framework/OccManager.h"

#include <atomic>
#include <string>

#include "platform/com/Guid.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/framework/ControlContainer.h"
#include "platform/framework/OleControlSite.h"
#include "platform/webcontrol/WebControlClasses.h"

namespace {

std::atomic<COccManager*> enabledManager{nullptr};

// A template control whose class is not a window class: an ActiveX control named by its class id.
HWND CreateTemplateControl(HWND dialog, const platform::DialogControl& control,
                           const RECT& pixels) {
    const std::u16string name(control.className.begin(), control.className.end());
    CLSID clsid;
    if (FAILED(CLSIDFromString(name.c_str(), &clsid))) {
        return nullptr;
    }
    COleControlContainer* container = COleControlContainer::FromHandle(dialog, TRUE);
    COleControlSite* site = container->CreateControl(nullptr, clsid, control.text.c_str(),
                                                     control.style | WS_CHILD, pixels, control.id);
    return site != nullptr ? site->m_hWnd : nullptr;
}

}  // namespace

COleControlSite* COccManager::CreateSite(COleControlContainer* pCtrlCont) {
    return new COleControlSite(pCtrlCont);
}

void AfxEnableControlContainer(COccManager* pManager) {
    static COccManager defaultManager;
    platform::webcontrol::RegisterWebControlClasses();
    platform::SetDialogControlFactory(&CreateTemplateControl);
    enabledManager = pManager != nullptr ? pManager : &defaultManager;
}

COccManager* AfxGetOccManager() {
    return enabledManager;
}
