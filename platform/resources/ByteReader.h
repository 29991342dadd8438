// Bounds-checked little-endian reader for the compiled resource layouts. A read past the end
// yields zero and marks the reader failed, so a decoder checks ok() once at the end instead of
// after every field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    // A 16-bit byte count followed by the bytes.
    std::string Text();
    std::string Raw(size_t count);

    bool ok() const { return !failed_; }
    bool AtEnd() const { return offset_ == bytes_.size(); }
    size_t remaining() const { return bytes_.size() - offset_; }

private:
    bool Need(size_t count);

    std::span<const std::uint8_t> bytes_;
    size_t offset_ = 0;
    bool failed_ = false;
};

}  // namespace platform
