#include "platform/resources/ToolBarTemplate.h"

#include <stdexcept>

#include "platform/resources/ByteReader.h"
#include "platform/resources/ByteWriter.h"

namespace platform {

namespace {

constexpr WORD kVersion = 1;

}  // namespace

std::vector<std::uint8_t> EncodeToolBarTemplate(const ToolBarTemplate& toolBar) {
    if (toolBar.commandIds.size() > 0xFFFF) {
        throw std::length_error("more than 65535 tool-bar buttons");
    }
    ByteWriter out;
    out.U16(kVersion);
    out.U16(toolBar.width);
    out.U16(toolBar.height);
    out.U16(static_cast<WORD>(toolBar.commandIds.size()));
    for (WORD id : toolBar.commandIds) {
        out.U16(id);
    }
    return out.Take();
}

std::optional<ToolBarTemplate> DecodeToolBarTemplate(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    if (in.U16() != kVersion) {
        return std::nullopt;
    }
    ToolBarTemplate toolBar;
    toolBar.width = in.U16();
    toolBar.height = in.U16();
    WORD count = in.U16();
    for (WORD i = 0; i < count && in.ok(); ++i) {
        toolBar.commandIds.push_back(in.U16());
    }
    if (!in.ok() || !in.AtEnd()) {
        return std::nullopt;
    }
    return toolBar;
}

}  // namespace platform
