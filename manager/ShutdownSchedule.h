// The armed timed shutdown in data3\sdc.dat: a short text "hour,minute,countdown" without a line
// end (for example "22,30,1"). The file's presence arms the shutdown; the tray companion deletes
// it when the shutdown fires.
#pragma once

#include <string>
#include <string_view>

inline constexpr char kShutdownFile[] = "data3\\sdc.dat";

struct ShutdownSchedule {
    int hour = 0;
    int minute = 0;
    // 1 shows the 30-second countdown dialog before shutting down, 0 not.
    int countdown = 0;

    // Reads the three decimal numbers as "%d,%d,%d" does: each may follow white space and carry
    // a sign, the commas must follow at once, and the numbers after the first mismatch are 0.
    // Values beyond the int range are held at its ends.
    static ShutdownSchedule Parse(std::string_view text);
    std::string Format() const;

    // False when the file cannot be read (no shutdown armed); the schedule is then left alone.
    bool Read(const char* path = kShutdownFile);
    // Through a temporary file and a rename; false when the file cannot be written.
    bool Write(const char* path = kShutdownFile) const;
};
