#include "platform/webcontrol/EngineAddress.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "platform/files/PathResolution.h"
#include "platform/text/Encoding.h"
#include "platform/web/WebAddress.h"

namespace platform::webcontrol {

namespace {

bool IsFileAddress(std::string_view address) {
    if (address.size() < 5) {
        return false;
    }
    std::string scheme(address.substr(0, 5));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return scheme == "file:";
}

// The path part after "file:" and its slashes, and the query and fragment after it.
std::pair<std::string_view, std::string_view> SplitFileAddress(std::string_view address) {
    std::string_view rest = address.substr(5);
    while (rest.starts_with('/')) {
        rest.remove_prefix(1);
    }
    const size_t end = std::min(rest.find_first_of("?#"), rest.size());
    return {rest.substr(0, end), rest.substr(end)};
}

bool KeptInPath(unsigned char c) {
    return std::isalnum(c) != 0 ||
           std::string_view("-._~/!$&'()*+,;=:@").find(static_cast<char>(c)) !=
               std::string_view::npos;
}

}  // namespace

std::string EngineAddressOf(const std::string& address) {
    if (!IsFileAddress(address)) {
        return address;
    }
    const auto [path, rest] = SplitFileAddress(address);
    const ResolvedPath resolved = ResolveWindowsPath(Utf8ToGbk(web::PercentDecoded(path)));
    if (!resolved.ok()) {
        return address;
    }
    std::string encoded = "file://";
    for (const unsigned char c : resolved.path.string()) {
        if (KeptInPath(c)) {
            encoded += static_cast<char>(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        }
    }
    return encoded + std::string(rest);
}

std::string ControlAddressOf(const std::string& address) {
    if (!IsFileAddress(address)) {
        return address;
    }
    const auto [path, rest] = SplitFileAddress(address);
    const std::string linuxPath = "/" + web::PercentDecoded(path);
    std::string windows = GbkToUtf8(WindowsPathOf(linuxPath).ToString());
    std::replace(windows.begin(), windows.end(), '\\', '/');
    return "file:///" + windows + std::string(rest);
}

}  // namespace platform::webcontrol
