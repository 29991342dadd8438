// Loads arbitrary bytes as a sectioned file: no table may hold more slots than the file has
// lines, no more entries may be read than there are slots, and the main entry, when there is one,
// must be one of the code entries and named "MAIN".
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "picture/SectionedFile.h"
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
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    folder.WriteFile("ms.dat", bytes);

    const size_t lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n') +
                                             std::count(bytes.begin(), bytes.end(), '\r') +
                                             std::count(bytes.begin(), bytes.end(), '\0') + 1);
    CSectionedFile file;
    file.Load("C:\\ms.dat");
    Check(file.GetCodeEntries().size() <= lines);
    Check(file.GetDataEntries().size() <= lines);
    Check(static_cast<size_t>(file.GetCodeEntryCount()) <= file.GetCodeEntries().size());
    Check(static_cast<size_t>(file.GetDataEntryCount()) <= file.GetDataEntries().size());
    for (const CCodeEntry& entry : file.GetCodeEntries()) {
        Check(entry.m_lines.size() <= lines);
        Check(static_cast<size_t>(entry.m_nLinesRead) <= entry.m_lines.size());
    }
    if (const CCodeEntry* pMain = file.GetMainEntry()) {
        Check(pMain->m_strName == "MAIN");
        Check(pMain >= file.GetCodeEntries().data() &&
              pMain < file.GetCodeEntries().data() + file.GetCodeEntries().size());
    }
    for (const CDataEntry& entry : file.GetDataEntries()) {
        Check(entry.m_strName.Find(' ') < 0);
        Check(entry.m_strValue.GetLength() <= static_cast<int>(size));
    }
    file.Clear();
    Check(file.FindBlock("") == nullptr);
    return 0;
}
