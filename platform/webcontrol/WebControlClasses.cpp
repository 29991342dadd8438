#include "platform/webcontrol/WebControlClasses.h"

#include "platform/com/ComRuntime.h"
#include "platform/webcontrol/ShellUIHelper.h"
#include "platform/webcontrol/UrlHistory.h"
#include "platform/webcontrol/WebBrowser.h"

namespace platform::webcontrol {

void RegisterWebControlClasses() {
    RegisterComClass(CLSID_WebBrowser, [](REFIID iid, void** object) {
        return CreateComObject<WebBrowser>(iid, object);
    });
    RegisterComClass(CLSID_CUrlHistory, [](REFIID iid, void** object) {
        return CreateComObject<UrlHistory>(iid, object);
    });
    RegisterComClass(CLSID_ShellUIHelper, [](REFIID iid, void** object) {
        return CreateComObject<ShellUIHelper>(iid, object);
    });
}

}  // namespace platform::webcontrol
