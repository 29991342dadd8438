// One entry of the income and expense book and its month files,
// data3\syssr\srYYYYMM.dat: a 32-bit count, then 236-byte records in list order (ascending by
// date, entries of one date in the order they were added). A record is the type (0 income,
// 1 expense), the manager's 28-byte date record, the amount in fen and a 200-byte GBK note, all
// integers little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "manager/DateRecord.h"

struct LedgerRecord {
    std::int32_t type = 0;
    // Year, month and day; the flag and the time stay 0.
    DateRecord date;
    // Fen (hundredths of a yuan), never negative.
    std::int32_t amount = 0;
    // At most 199 bytes and a NUL.
    char note[200] = {};
};

inline constexpr std::size_t kLedgerRecordSize = 236;

using LedgerRecordList = std::vector<std::unique_ptr<LedgerRecord>>;

// "data3\syssr\sr%04d%02d.dat", relative to the program folder.
std::string LedgerMonthPath(int year, int month);

// <0, 0 or >0 as a's date and time is earlier than, the same as or later than b's.
int CompareLedgerDates(const LedgerRecord& a, const LedgerRecord& b);

// Appends the records of a month file's bytes to `list`: a count beyond the bytes stops at the
// last whole record, and every note ends in a NUL.
void ParseLedgerRecords(std::span<const std::uint8_t> bytes, LedgerRecordList& list);
std::string SerializeLedgerRecords(const LedgerRecordList& list);

// Replaces `list` with the month's records: 0 read, 1 no file (the list is then empty), 2 the
// file could not be read whole (the list holds the records that could be read, and the month
// must not be saved over it).
int LoadLedgerMonth(int year, int month, LedgerRecordList& list);
// Writes the month whole through a temporary file: 0 written, 1 not (for example when
// data3\syssr is missing; the folder ships with the program and is not made here).
int SaveLedgerMonth(int year, int month, const LedgerRecordList& list);

// The amount typed as yuan, read as the runtime reads a leading decimal number (text without one
// is 0), converted to fen exactly and truncated toward zero ("0.29" is 29, "12.345" is 1234).
// False when the text is longer than 8 bytes, the amount is negative or it passes the 32-bit
// field.
bool ParseLedgerAmount(std::string_view text, std::int32_t& fen);
// "%.02f" of fen / 100, exact at any size.
std::string FormatYuan(std::int64_t fen);
