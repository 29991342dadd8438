// The main window's state in data\config2.dat: 28 bytes, little-endian, the window rectangle in
// screen coordinates (left, top, right, bottom) and three reserved 32-bit values that are read at
// start-up and written back unchanged.
#pragma once

#include <cstdint>

inline constexpr char kWindowStateFile[] = "data\\config2.dat";

struct MainWindowState {
    static constexpr int kFileSize = 28;

    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t reserved[3] = {};

    // Takes the file only when it holds all 28 bytes: a short file changes nothing. False when
    // nothing was taken.
    bool Read(const char* path = kWindowStateFile);
    // Through a temporary file and a rename; false when the file cannot be written.
    bool Write(const char* path = kWindowStateFile) const;
};
