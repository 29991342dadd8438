#include "platform/resources/ByteReader.h"

namespace platform {

bool ByteReader::Need(size_t count) {
    if (failed_ || count > bytes_.size() - offset_) {
        failed_ = true;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::U8() {
    if (!Need(1)) {
        return 0;
    }
    return bytes_[offset_++];
}

std::uint16_t ByteReader::U16() {
    if (!Need(2)) {
        return 0;
    }
    std::uint16_t value = static_cast<std::uint16_t>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
    offset_ += 2;
    return value;
}

std::uint32_t ByteReader::U32() {
    std::uint32_t low = U16();
    std::uint32_t high = U16();
    return low | (high << 16);
}

std::string ByteReader::Text() {
    return Raw(U16());
}

std::string ByteReader::Raw(size_t count) {
    if (!Need(count)) {
        return {};
    }
    std::string text(reinterpret_cast<const char*>(bytes_.data() + offset_), count);
    offset_ += count;
    return text;
}

}  // namespace platform
