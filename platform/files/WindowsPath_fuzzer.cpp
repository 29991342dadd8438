#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files/FileApi.h"
#include "platform/files/GbkNames.h"
#include "platform/files/WindowsPath.h"

// Path text from the programs and from pages: parsing is stable (the printed form parses to
// itself), and splitting and wildcard matching stay inside their buffers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const platform::WindowsPath current('Z', {"home", "ann"});
    if (std::optional<platform::WindowsPath> path = platform::WindowsPath::Parse(text, current)) {
        std::string printed = path->ToString();
        std::optional<platform::WindowsPath> again = platform::WindowsPath::Parse(printed, current);
        if (!again || again->ToString() != printed) {
            __builtin_trap();
        }
    }

    std::string nul_terminated = text.substr(0, text.find('\0'));
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    platform::SplitPath(nul_terminated.c_str(), drive, dir, fname, ext);

    std::size_t middle = text.size() / 2;
    platform::MatchesWildcard(std::string_view(text).substr(0, middle),
                              std::string_view(text).substr(middle));
    return 0;
}
