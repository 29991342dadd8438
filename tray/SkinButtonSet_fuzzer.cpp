// Button lines of the skin file, as the reminder pop-up reads them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tray/SkinButtonSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const CSkinButtonSet::ButtonLine parsed = CSkinButtonSet::ParseButtonLine(line.c_str());
    if (parsed.bitmap.size() > CSkinButtonSet::kMaxNameBytes ||
        parsed.state < CSkinButtonSet::kNormal || parsed.state > CSkinButtonSet::kToggled) {
        __builtin_trap();
    }
    return 0;
}
