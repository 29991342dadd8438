// The month reader on deciphered bytes of any length: it must never read past them, a refused
// month must leave the slots as they were, and what it reads must be written back alike.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "manager/DiaryMonthFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
    const std::string empty = CDiaryMonthFile::Serialize(slots);
    if (!CDiaryMonthFile::Parse(data, size, slots)) {
        if (CDiaryMonthFile::Serialize(slots) != empty) {
            std::abort();
        }
        return 0;
    }
    const std::string bytes = CDiaryMonthFile::Serialize(slots);
    std::vector<DiaryDaySlot> again = CDiaryMonthFile::EmptyMonth(2006, 9);
    if (!CDiaryMonthFile::Parse(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                again) ||
        CDiaryMonthFile::Serialize(again) != bytes) {
        std::abort();
    }
    return 0;
}
