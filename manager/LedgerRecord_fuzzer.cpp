// The month file reader on arbitrary bytes: it must never read past them, and what it reads must
// be written back as the same records. The amount parser takes the same bytes as typed text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "manager/LedgerRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LedgerRecordList list;
    ParseLedgerRecords(std::span(data, size), list);
    const std::string bytes = SerializeLedgerRecords(list);
    LedgerRecordList again;
    ParseLedgerRecords(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                       again);
    if (SerializeLedgerRecords(again) != bytes) {
        std::abort();
    }
    std::int32_t fen = -1;
    if (ParseLedgerAmount(std::string_view(reinterpret_cast<const char*>(data), size), fen) &&
        fen < 0) {
        std::abort();
    }
    return 0;
}
