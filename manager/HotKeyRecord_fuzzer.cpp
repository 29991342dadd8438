// Hot-key records read from arbitrary bytes, as the settings readers take them: each is written
// back as its own four bytes, and its key's name is found in the table whatever the code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "manager/HotKeyRecord.h"
#include "manager/KeyNameTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordBytes in(std::span(data, size));
    std::string written;
    while (in.Has(HotKeyRecord::kSize)) {
        const HotKeyRecord key = HotKeyRecord::Read(in);
        key.Append(written);
        int index = -1;
        const KeyNameRow& row = KeyNames().FindKey(key.code, index);
        if (index < 0 || index >= KeyNames().Count() || (index != 0 && row.code != key.code)) {
            std::abort();
        }
    }
    if (written != std::string(reinterpret_cast<const char*>(data), written.size())) {
        std::abort();
    }
    return 0;
}
