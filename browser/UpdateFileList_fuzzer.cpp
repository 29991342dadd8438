// Feeds arbitrary update pages to the file-list reader: every entry it hands out must hold
// terminated fields within their limits and a path that stays below the program folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "browser/SafeRelativePath.h"
#include "browser/UpdateFileList.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::testing::TempFolder folder;
    static const bool mapped = (platform::MapDrive('C', folder.path()), true);
    (void)mapped;
    folder.WriteFile("main2.htm", std::string(reinterpret_cast<const char*>(data), size));

    CTextLineFile page;
    if (page.Open("C:\\main2.htm") != 0) {
        return 0;
    }
    CUpdateFileList list(page);
    if (list.Begin() != 0) {
        return 0;
    }
    UpdateFileEntry entry;
    while (list.Next(entry) == 0) {
        if (std::memchr(entry.digest, '\0', sizeof entry.digest) == nullptr ||
            std::memchr(entry.path, '\0', sizeof entry.path) == nullptr ||
            std::memchr(entry.address, '\0', sizeof entry.address) == nullptr ||
            !IsSafeRelativePath(entry.path) || entry.digest[0] == '\0' ||
            entry.address[0] == '\0') {
            std::abort();
        }
    }
    return 0;
}
