// Makes the web control's classes creatable with CoCreateInstance: the browser control
// (CLSID_WebBrowser) and the URL history service (CLSID_CUrlHistory). Safe to call more than once.
#pragma once

namespace platform::webcontrol {

void RegisterWebControlClasses();

}  // namespace platform::webcontrol
