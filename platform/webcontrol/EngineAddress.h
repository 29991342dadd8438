// Addresses between the control and the desktop's engine. The control and its programs name local
// files as Windows paths (file:///Z:/tmp/a.htm); the engine reads them by their Linux paths
// (file:///tmp/a.htm). Other addresses are the same for both.
#pragma once

#include <string>

namespace platform::webcontrol {

// The engine's form of a control address; the address as it is when its path does not resolve.
std::string EngineAddressOf(const std::string& address);
// The control's form of an engine address.
std::string ControlAddressOf(const std::string& address);

}  // namespace platform::webcontrol
