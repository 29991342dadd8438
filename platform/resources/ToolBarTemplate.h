// A tool bar's button layout in the framework's compiled form: WORD version (1), WORD image
// width, WORD image height, WORD count, then a WORD command id per button (0 for a separator).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

struct ToolBarTemplate {
    WORD width = 0;
    WORD height = 0;
    std::vector<WORD> commandIds;  // 0 marks a separator

    bool operator==(const ToolBarTemplate&) const = default;
};

// Throws std::length_error beyond 65535 buttons.
std::vector<std::uint8_t> EncodeToolBarTemplate(const ToolBarTemplate& toolBar);
std::optional<ToolBarTemplate> DecodeToolBarTemplate(std::span<const std::uint8_t> bytes);

}  // namespace platform
