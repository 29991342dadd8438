#include "platform/resources/ResourceKey.h"

#include "platform/text/Gbk.h"

namespace platform {

std::string ResourceKey(unsigned number) {
    return "#" + std::to_string(number);
}

std::string ResourceKey(std::string_view name) {
    if (name.size() > 1 && name.size() <= 6 && name[0] == '#') {
        unsigned number = 0;
        bool digits = true;
        for (char c : name.substr(1)) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            number = number * 10 + static_cast<unsigned>(c - '0');
        }
        if (digits && number <= 0xFFFF) {
            return ResourceKey(number);
        }
    }
    std::string key(name);
    ToUpperAscii(key);
    return key;
}

}  // namespace platform
