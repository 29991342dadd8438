// The shutdown file's reader on arbitrary bytes: it must never read past them, and what it reads
// must be written and read back as the same schedule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "manager/ShutdownSchedule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ShutdownSchedule schedule =
        ShutdownSchedule::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string text = schedule.Format();
    if (ShutdownSchedule::Parse(text).Format() != text) {
        std::abort();
    }
    return 0;
}
