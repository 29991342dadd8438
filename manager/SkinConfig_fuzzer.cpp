// The skin file reader on arbitrary bytes: every key search and value copy must stay inside the
// file and inside the caller's buffer, and a value must always end within it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "manager/SkinConfig.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::testing::TempFolder folder;
    static const bool mapped = (platform::MapDrive('C', folder.path()), true);
    (void)mapped;
    folder.WriteFile("config.dat", std::string(reinterpret_cast<const char*>(data), size));

    const char* keys[] = {kMainSkinKey, kCalendarSkinKey, kOptionSkinKey, kAboutSkinKey, "[", ""};
    for (const char* key : keys) {
        char small[3];
        char large[1024];
        for (auto [value, length] : {std::pair{small, sizeof small}, {large, sizeof large}}) {
            ReadSkinValue("C:\\config.dat", key, value, length);
            if (std::memchr(value, '\0', length) == nullptr) {
                std::abort();
            }
        }
    }
    return 0;
}
