// Feeds arbitrary bytes to the registry file reader: it must refuse or accept without reading
// outside the text, and whatever it accepts must write back into a text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry/RegistryText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto top =
        platform::ParseRegistryText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!top) {
        return 0;
    }
    std::string written = platform::FormatRegistryText(*top);
    auto again = platform::ParseRegistryText(written);
    if (!again || platform::FormatRegistryText(*again) != written) {
        std::abort();
    }
    return 0;
}
