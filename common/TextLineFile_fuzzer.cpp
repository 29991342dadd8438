// Feeds arbitrary bytes to the line reader: every read, search and rewind must stay inside the
// text and inside the caller's buffer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/TextLineFile.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::testing::TempFolder folder;
    static const bool mapped = (platform::MapDrive('C', folder.path()), true);
    (void)mapped;
    folder.WriteFile("input.txt", std::string(reinterpret_cast<const char*>(data), size));

    CTextLineFile file;
    if (file.Open("C:\\input.txt") != 0) {
        return 0;
    }
    char small[4];
    char large[600];
    // The first byte picks the key searched for, so that searches meet real prefixes.
    const char* keys[] = {"[", "//", "SEARCH_INFO_BEGIN", "\x81", ""};
    const char* key = keys[size > 0 ? data[0] % 5 : 0];
    while (file.FindLine(key, small) == 0 && file.ReadValueLine(large) == 0) {
    }
    file.Rewind();
    while (file.ReadValueLine(small, sizeof small) == 0) {
    }
    file.Rewind();
    while (file.ReadLine(large) == 0) {
    }
    return 0;
}
