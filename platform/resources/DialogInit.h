// A dialog's initial control data (the combo and list box items a template carries), in the
// original platform's compiled layout: entries of WORD control id, WORD message, DWORD byte count
// and the bytes, ended by a zero control id. The messages are the 16-bit era's 0x0403
// (combo box add string) and 0x0401 (list box add string); each item's bytes are the GBK text and
// its terminating NUL.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

inline constexpr WORD kDialogInitListBoxAddString = 0x0401;
inline constexpr WORD kDialogInitComboBoxAddString = 0x0403;

struct DialogInitEntry {
    WORD controlId = 0;
    WORD message = 0;
    std::string data;  // as stored, including the text's NUL

    bool operator==(const DialogInitEntry&) const = default;
};

std::vector<std::uint8_t> EncodeDialogInit(const std::vector<DialogInitEntry>& entries);
std::optional<std::vector<DialogInitEntry>> DecodeDialogInit(std::span<const std::uint8_t> bytes);

}  // namespace platform
