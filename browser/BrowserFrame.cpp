#include "browser/BrowserFrame.h"

#include "platform/framework/WinApp.h"

CBrowserFrame* GetBrowserFrame() {
    return dynamic_cast<CBrowserFrame*>(AfxGetMainWnd());
}
