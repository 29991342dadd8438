#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/link/WindowRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto record = platform::link::DecodeWindowRecord(bytes)) {
        // A record that decodes must encode back to the very same bytes.
        if (platform::link::EncodeWindowRecord(*record) != bytes) {
            __builtin_trap();
        }
    }
    return 0;
}
