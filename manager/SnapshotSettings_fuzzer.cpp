// The hot-key settings readers (snapshot.dat, bosskey.dat, cdkey.dat) on arbitrary bytes: each
// takes a record only when the bytes hold all of it, and what it took is written back as the same
// bytes, its text field ending in a NUL.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "manager/BossKeySettings.h"
#include "manager/CdKeySettings.h"
#include "manager/SnapshotSettings.h"

namespace {

template <typename Settings>
void Check(std::span<const std::uint8_t> bytes) {
    Settings settings;
    const bool taken = settings.Parse(bytes);
    if (taken != (bytes.size() >= Settings::kSize)) {
        std::abort();
    }
    const std::string written = settings.Serialize();
    if (written.size() != Settings::kSize) {
        std::abort();
    }
    // Only the record's last byte, the end of its text field, may differ: it is forced to NUL.
    if (taken && std::memcmp(written.data(), bytes.data(), Settings::kSize - 1) != 0) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    Check<SnapshotSettings>(bytes);
    Check<BossKeySettings>(bytes);
    Check<CdKeySettings>(bytes);
    return 0;
}
