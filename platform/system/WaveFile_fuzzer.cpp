#include <cstddef>
#include <cstdint>

#include "platform/system/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto wave = platform::ParseWaveFile({data, size});
    if (wave && wave->dataBytes > size)
        __builtin_trap();
    if (wave)
        wave->DurationMilliseconds();
    return 0;
}
