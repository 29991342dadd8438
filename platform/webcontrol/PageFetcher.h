// Reads the bytes behind an address for the control: about: pages are empty, file: addresses go
// through the path layer (Windows paths, drive mapping, names found without case), http: and
// https: through the internet functions.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

namespace platform::webcontrol {

struct FetchResult {
    bool ok = false;
    std::string bytes;
    // What NavigateError reports when the fetch failed: the HTTP status of a refused request, or
    // an INET_E_ code.
    LONG status = 0;
};

// `address` is canonical UTF-8 ("file:///C:/a/b.htm", "http://host/x?q").
FetchResult FetchAddress(const std::string& address);

// The address as it goes on the wire: characters outside ASCII become their GBK bytes,
// percent-encoded, as the original control sends them for a Chinese system.
std::string WireAddress(const std::string& address);

}  // namespace platform::webcontrol
