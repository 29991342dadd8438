#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/files/ProfileFile.h"

// Any bytes parse; every listed section and key can be looked up again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::ProfileFile profile(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : profile.SectionNames()) {
        for (const std::string& key : profile.KeyNames(section)) {
            if (!profile.Value(section, key)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
