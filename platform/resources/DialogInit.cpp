#include "platform/resources/DialogInit.h"

#include "platform/resources/ByteReader.h"
#include "platform/resources/ByteWriter.h"

namespace platform {

std::vector<std::uint8_t> EncodeDialogInit(const std::vector<DialogInitEntry>& entries) {
    ByteWriter out;
    for (const DialogInitEntry& entry : entries) {
        out.U16(entry.controlId);
        out.U16(entry.message);
        out.U32(static_cast<std::uint32_t>(entry.data.size()));
        out.Raw(entry.data);
    }
    out.U16(0);
    return out.Take();
}

std::optional<std::vector<DialogInitEntry>> DecodeDialogInit(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    std::vector<DialogInitEntry> entries;
    for (;;) {
        DialogInitEntry entry;
        entry.controlId = in.U16();
        if (!in.ok()) {
            return std::nullopt;
        }
        if (entry.controlId == 0) {
            return entries;
        }
        entry.message = in.U16();
        std::uint32_t length = in.U32();
        entry.data = in.Raw(length);
        if (!in.ok()) {
            return std::nullopt;
        }
        entries.push_back(std::move(entry));
    }
}

}  // namespace platform
