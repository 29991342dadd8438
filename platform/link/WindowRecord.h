// The record of one top-level window that a process publishes in the link folder for the other
// processes of the user: a small binary file, little-endian, read back with every count and size
// checked.
//
//   "LWIN", u16 version 1, u16 title length, u32 process id, u64 process start (clock ticks
//   since boot), u64 window, u64 owner, i32 left, top, right, bottom, i64 z order, u8 flags
//   (1 visible, 2 iconic), then the title's GBK bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace platform::link {

// Longer titles are cut at a character boundary when a record is written.
inline constexpr std::size_t kMaxTitleBytes = 1024;

struct WindowRecord {
    std::uint32_t processId = 0;
    // Tells a live process from a later one that reuses its id.
    std::uint64_t processStart = 0;
    std::uint64_t window = 0;
    std::uint64_t owner = 0;
    std::string title;
    bool visible = false;
    bool iconic = false;
    RECT rect{};
    // Higher is nearer the top; see NextZOrder().
    std::int64_t zOrder = 0;
};

std::string EncodeWindowRecord(const WindowRecord& record);
// Nullopt for anything that is not exactly one well-formed record.
std::optional<WindowRecord> DecodeWindowRecord(std::string_view bytes);

}  // namespace platform::link
