// The lookup data readers on arbitrary bytes: deciphering, line reading and the four record
// parsers must stay inside the file's bytes and leave every text field terminated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "manager/IdCardRegionRecord.h"
#include "manager/IdiomRecord.h"
#include "manager/LookupDataFile.h"
#include "manager/MobileRangeRecord.h"
#include "manager/PostCodeRecord.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

template <std::size_t N>
void CheckTerminated(const char (&field)[N]) {
    if (std::memchr(field, '\0', N) == nullptr) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::testing::TempFolder folder;
    static const bool mapped = (platform::MapDrive('C', folder.path()), true);
    (void)mapped;
    folder.WriteFile("data.dat", std::string(reinterpret_cast<const char*>(data), size));

    ReadDataFileLines("C:\\data.dat", 500, [](const char* line) {
        const MobileRangeRecord mobile = MobileRangeRecord::Parse(line);
        CheckTerminated(mobile.from);
        CheckTerminated(mobile.to);
        CheckTerminated(mobile.province);
        CheckTerminated(mobile.city);
        CheckTerminated(mobile.card);
        const PostCodeRecord post = PostCodeRecord::Parse(line);
        CheckTerminated(post.province);
        CheckTerminated(post.city);
        CheckTerminated(post.postCode);
        CheckTerminated(post.areaCode);
        const IdCardRegionRecord region = IdCardRegionRecord::Parse(line);
        CheckTerminated(region.code);
        CheckTerminated(region.region);
    });
    ReadDataFileLines("C:\\data.dat", IdiomRecord::kLineSize, [](const char* line) {
        const IdiomRecord idiom = IdiomRecord::Parse(line);
        if (idiom.idiom.size() >= IdiomRecord::kLineSize) {
            std::abort();
        }
    });
    return 0;
}
