#include "platform/resources/AcceleratorTable.h"

#include "platform/resources/ByteReader.h"
#include "platform/resources/ByteWriter.h"

namespace platform {

namespace {

constexpr WORD kLastEntry = 0x80;

}  // namespace

std::vector<std::uint8_t> EncodeAcceleratorTable(const std::vector<AcceleratorEntry>& entries) {
    ByteWriter out;
    for (size_t i = 0; i < entries.size(); ++i) {
        WORD flags = entries[i].fVirt;
        if (i + 1 == entries.size()) {
            flags |= kLastEntry;
        }
        out.U16(flags);
        out.U16(entries[i].key);
        out.U16(entries[i].cmd);
        out.U16(0);
    }
    return out.Take();
}

std::optional<std::vector<AcceleratorEntry>> DecodeAcceleratorTable(
    std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    std::vector<AcceleratorEntry> entries;
    while (!in.AtEnd()) {
        WORD flags = in.U16();
        AcceleratorEntry entry;
        entry.fVirt = static_cast<BYTE>(flags & 0x7F);
        entry.key = in.U16();
        entry.cmd = in.U16();
        in.U16();
        if (!in.ok()) {
            return std::nullopt;
        }
        entries.push_back(entry);
        if (flags & kLastEntry) {
            return entries;
        }
    }
    return std::nullopt;
}

}  // namespace platform
