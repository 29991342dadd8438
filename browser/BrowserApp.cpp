#include "browser/BrowserApp.h"

#include "platform/framework/WinApp.h"

CBrowserApp* GetBrowserApp() {
    return dynamic_cast<CBrowserApp*>(AfxGetApp());
}
