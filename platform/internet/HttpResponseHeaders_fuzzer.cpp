#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/internet/HttpResponseHeaders.h"

// Any bytes, taken line by line, parse; every header listed in the raw text can be found again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    platform::HttpResponseHeaders headers;
    while (!input.empty()) {
        std::size_t end = input.find('\n');
        std::string_view line =
            input.substr(0, end == std::string_view::npos ? input.size() : end + 1);
        headers.AddLine(line);
        input.remove_prefix(line.size());
    }
    std::string raw = headers.RawWithLineEnds();
    std::string_view lines(raw);
    // The status line comes first and an empty line last.
    lines.remove_prefix(lines.find("\r\n") + 2);
    for (;;) {
        std::size_t end = lines.find("\r\n");
        if (end == std::string_view::npos) {
            __builtin_trap();
        }
        std::string_view field = lines.substr(0, end);
        if (field.empty()) {
            break;
        }
        lines.remove_prefix(end + 2);
        std::size_t colon = field.find(':');
        if (colon == std::string_view::npos || !headers.Find(field.substr(0, colon), 0)) {
            __builtin_trap();
        }
    }
    return 0;
}
