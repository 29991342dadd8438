// The plan file reader on arbitrary bytes: it must never read past them, and what it reads must
// be written back as the same plans.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "manager/ScheduleList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScheduleRecordList list;
    ParseScheduleRecords(std::span(data, size), list);
    const std::string bytes = SerializeScheduleRecords(list);
    ScheduleRecordList again;
    ParseScheduleRecords(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), again);
    if (SerializeScheduleRecords(again) != bytes) {
        std::abort();
    }
    return 0;
}
