#include "manager/ShutdownSchedule.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <vector>

#include "common/WholeFile.h"

namespace {

// One "%d" at `at`: false, with nothing taken, when no digits follow the optional white space and
// sign.
bool ReadNumber(std::string_view text, std::size_t& at, int& value) {
    std::size_t i = at;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digits = i;
    long long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= static_cast<long long>(INT_MAX) + 1) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
        ++i;
    }
    if (i == digits) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(signedValue > INT_MAX   ? INT_MAX
                             : signedValue < INT_MIN ? INT_MIN
                                                     : signedValue);
    at = i;
    return true;
}

}  // namespace

ShutdownSchedule ShutdownSchedule::Parse(std::string_view text) {
    ShutdownSchedule schedule;
    int* fields[] = {&schedule.hour, &schedule.minute, &schedule.countdown};
    std::size_t at = 0;
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != ',') {
                break;
            }
            ++at;
        }
        if (!ReadNumber(text, at, *fields[i])) {
            break;
        }
    }
    return schedule;
}

std::string ShutdownSchedule::Format() const {
    return std::to_string(hour) + "," + std::to_string(minute) + "," + std::to_string(countdown);
}

bool ShutdownSchedule::Read(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return false;
    }
    *this = Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
}

bool ShutdownSchedule::Write(const char* path) const {
    return WriteWholeFile(path, Format());
}
