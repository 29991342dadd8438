// Loads arbitrary bytes as data\ms.dat into the extraction template: every marker that a data
// entry of its name fills must hold that entry's value, and the others stay empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "picture/ExtractTemplate.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::testing::TempFolder folder;
    static const bool mapped = (platform::MapDrive('C', folder.path()), true);
    (void)mapped;
    folder.WriteFile("ms.dat", std::string(reinterpret_cast<const char*>(data), size));

    CExtractTemplate markers;
    markers.LoadFrom("C:\\ms.dat");
    CSectionedFile file;
    file.Load("C:\\ms.dat");
    const CDataEntry* pImageUrl = file.FindBlock(".ImageAUrlBegin");
    Check(markers.GetMarker(34) == (pImageUrl != nullptr ? pImageUrl->m_strValue : CString()));
    const CDataEntry* pPageEnd = file.FindBlock(".page_end");
    Check(markers.GetMarker(24) == (pPageEnd != nullptr ? pPageEnd->m_strValue : CString()));
    for (int unused : {4, 5, 12}) {
        Check(markers.GetMarker(unused).IsEmpty());
    }
    markers.Release();
    Check(markers.GetFile().GetDataEntryCount() == 0);
    return 0;
}
