#include "platform/webcontrol/WebControlClasses.h"

#include "platform/com/ComRuntime.h"
#include "platform/webcontrol/WebBrowser.h"

namespace platform::webcontrol {

void RegisterWebControlClasses() {
    RegisterComClass(CLSID_WebBrowser, [](REFIID iid, void** object) {
        return CreateComObject<WebBrowser>(iid, object);
    });
}

}  // namespace platform::webcontrol
