// One resource as the compiler produces it and the program registers it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct CompiledResource {
    std::string type;  // a ResourceKey: "#5" for dialogs, or a type name
    std::string name;  // a ResourceKey
    std::vector<std::uint8_t> data;
};

}  // namespace platform
