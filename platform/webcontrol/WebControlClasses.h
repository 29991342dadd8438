// Makes the web control's classes creatable with CoCreateInstance: the browser control
// (CLSID_WebBrowser), the URL history service (CLSID_CUrlHistory) and the shell's helper object
// (CLSID_ShellUIHelper). Safe to call more than once.
#pragma once

namespace platform::webcontrol {

void RegisterWebControlClasses();

}  // namespace platform::webcontrol
