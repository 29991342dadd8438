#include "platform/resources/ByteWriter.h"

#include <stdexcept>

namespace platform {

void ByteWriter::U16(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::U32(std::uint32_t value) {
    U16(static_cast<std::uint16_t>(value & 0xFFFF));
    U16(static_cast<std::uint16_t>(value >> 16));
}

void ByteWriter::Text(std::string_view text) {
    if (text.size() > 0xFFFF) {
        throw std::length_error("text longer than 65535 bytes");
    }
    U16(static_cast<std::uint16_t>(text.size()));
    Raw(text);
}

void ByteWriter::Raw(std::string_view bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

}  // namespace platform
