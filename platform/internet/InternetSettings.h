// What an Internet handle passes on to the addresses opened through it: the agent, the proxy
// choice and the time-outs, as InternetOpenA and InternetSetOptionA set them.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

namespace platform {

enum class ProxyChoice {
    // The proxy the environment names (http_proxy, https_proxy, no_proxy), as the system's
    // preconfigured settings.
    Preconfigured,
    Direct,
    Named,
};

struct InternetSettings {
    std::string agent;
    ProxyChoice proxyChoice = ProxyChoice::Preconfigured;
    std::string proxy;
    // Host names that bypass the named proxy, comma-separated.
    std::string proxyBypass;
    DWORD connectTimeoutMs = 60000;
    // The longest wait for the next bytes of a response, from the request on.
    DWORD receiveTimeoutMs = 30000;
};

}  // namespace platform
