// Little-endian writer for the compiled resource layouts. Strings carry a 16-bit length, so a text
// longer than 65535 bytes is refused by the caller rather than cut silently.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

class ByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    // A 16-bit byte count followed by the bytes; texts of more than 65535 bytes throw
    // std::length_error.
    void Text(std::string_view text);
    void Raw(std::string_view bytes);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace platform
