#include "manager/MobileRangeRecord.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "manager/LookupDataFile.h"

namespace {

std::int32_t DecimalValue(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

MobileRangeRecord MobileRangeRecord::Parse(const char* line) {
    MobileRangeRecord record;
    char unused[1] = {};
    ScanWords(line, {record.from, record.to, record.province, record.city, unused, record.card});
    record.fromNumber = DecimalValue(record.from);
    record.toNumber = DecimalValue(record.to);
    return record;
}

bool MobileRangeRecord::Covers(const char* number, std::size_t length) const {
    return std::strncmp(number, from, length) >= 0 && std::strncmp(number, to, length) <= 0;
}
