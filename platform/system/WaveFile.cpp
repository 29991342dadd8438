#include "platform/system/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

uint32_t ReadUint32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

uint16_t ReadUint16(const uint8_t* bytes) {
    return uint16_t(bytes[0] | bytes[1] << 8);
}

}  // namespace

uint32_t WaveFormat::DurationMilliseconds() const {
    if (bytesPerSecond == 0)
        return 0;
    return static_cast<uint32_t>((uint64_t(dataBytes) * 1000 + bytesPerSecond - 1) /
                                 bytesPerSecond);
}

std::optional<WaveFormat> ParseWaveFile(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    WaveFormat format;
    bool haveFormat = false;
    size_t offset = 12;
    while (bytes.size() - offset >= 8) {
        const uint8_t* chunk = bytes.data() + offset;
        uint32_t size = ReadUint32(chunk + 4);
        size_t available = bytes.size() - offset - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || available < 16)
                return std::nullopt;
            format.formatTag = ReadUint16(chunk + 8);
            format.channels = ReadUint16(chunk + 10);
            format.samplesPerSecond = ReadUint32(chunk + 12);
            format.bytesPerSecond = ReadUint32(chunk + 16);
            format.blockAlign = ReadUint16(chunk + 20);
            format.bitsPerSample = ReadUint16(chunk + 22);
            haveFormat = format.channels != 0 && format.bytesPerSecond != 0;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return std::nullopt;
            format.dataBytes = static_cast<uint32_t>(std::min<size_t>(size, available));
            return format;
        }
        // Chunks are padded to an even size.
        uint64_t next = uint64_t(offset) + 8 + size + (size & 1);
        if (next > bytes.size())
            break;
        offset = static_cast<size_t>(next);
    }
    return std::nullopt;
}

}  // namespace platform
