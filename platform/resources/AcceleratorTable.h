// Accelerator tables in the original platform's compiled layout: 8 bytes an entry (WORD flags,
// WORD key, WORD command, WORD padding), the last entry's flags carrying 0x80.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/base/WinTypes.h"

#ifndef FVIRTKEY
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10
#endif

namespace platform {

struct AcceleratorEntry {
    BYTE fVirt = 0;  // FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT
    WORD key = 0;    // a virtual key with FVIRTKEY, a character code without
    WORD cmd = 0;

    bool operator==(const AcceleratorEntry&) const = default;
};

std::vector<std::uint8_t> EncodeAcceleratorTable(const std::vector<AcceleratorEntry>& entries);
// Reads up to the entry marked last; empty when the bytes end before it.
std::optional<std::vector<AcceleratorEntry>> DecodeAcceleratorTable(
    std::span<const std::uint8_t> bytes);

}  // namespace platform
