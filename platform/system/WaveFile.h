// The parts of a RIFF WAVE file that playing it needs: the format block and the length of the
// sound data, found by walking the chunks with every size checked against the bytes there are.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct WaveFormat {
    uint16_t formatTag = 0;  // 1 for PCM
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint32_t dataBytes = 0;

    // How long the sound plays, rounded up to whole milliseconds.
    uint32_t DurationMilliseconds() const;
};

// Empty when the bytes are not a WAVE file with a usable format block and a data chunk (a data
// chunk that claims more than the file holds is cut to what is there).
std::optional<WaveFormat> ParseWaveFile(std::span<const uint8_t> bytes);

}  // namespace platform
