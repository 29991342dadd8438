#include "manager/LedgerRecord.h"

#include <cstdio>
#include <limits>

#include "common/WholeFile.h"
#include "manager/RecordBytes.h"

std::string LedgerMonthPath(int year, int month) {
    char path[64];
    std::snprintf(path, sizeof(path), "data3\\syssr\\sr%04d%02d.dat", year, month);
    return path;
}

int CompareLedgerDates(const LedgerRecord& a, const LedgerRecord& b) {
    const std::int32_t left[] = {a.date.year, a.date.month,  a.date.day,
                                 a.date.hour, a.date.minute, a.date.second};
    const std::int32_t right[] = {b.date.year, b.date.month,  b.date.day,
                                  b.date.hour, b.date.minute, b.date.second};
    for (std::size_t i = 0; i < std::size(left); ++i) {
        if (left[i] != right[i]) {
            return left[i] < right[i] ? -1 : 1;
        }
    }
    return 0;
}

void ParseLedgerRecords(std::span<const std::uint8_t> bytes, LedgerRecordList& list) {
    RecordBytes in(bytes);
    if (!in.Has(4)) {
        return;
    }
    const std::uint32_t count = in.Word();
    for (std::uint32_t i = 0; i < count && in.Has(kLedgerRecordSize); ++i) {
        auto record = std::make_unique<LedgerRecord>();
        record->type = in.Int();
        for (std::int32_t* field :
             {&record->date.flag, &record->date.year, &record->date.month, &record->date.day,
              &record->date.hour, &record->date.minute, &record->date.second}) {
            *field = in.Int();
        }
        record->amount = in.Int();
        in.Text(record->note);
        list.push_back(std::move(record));
    }
}

std::string SerializeLedgerRecords(const LedgerRecordList& list) {
    std::string bytes;
    bytes.reserve(4 + list.size() * kLedgerRecordSize);
    RecordBytes::AppendWord(bytes, static_cast<std::uint32_t>(list.size()));
    for (const auto& record : list) {
        RecordBytes::AppendInt(bytes, record->type);
        for (std::int32_t field :
             {record->date.flag, record->date.year, record->date.month, record->date.day,
              record->date.hour, record->date.minute, record->date.second}) {
            RecordBytes::AppendInt(bytes, field);
        }
        RecordBytes::AppendInt(bytes, record->amount);
        RecordBytes::AppendText(bytes, record->note);
    }
    return bytes;
}

int LoadLedgerMonth(int year, int month, LedgerRecordList& list) {
    list.clear();
    std::vector<std::uint8_t> bytes;
    const RecordBytes::FileRead read =
        RecordBytes::ReadFile(LedgerMonthPath(year, month).c_str(), bytes);
    ParseLedgerRecords(bytes, list);
    return static_cast<int>(read);
}

int SaveLedgerMonth(int year, int month, const LedgerRecordList& list) {
    return WriteWholeFile(LedgerMonthPath(year, month).c_str(), SerializeLedgerRecords(list)) ? 0
                                                                                              : 1;
}

bool ParseLedgerAmount(std::string_view text, std::int32_t& fen) {
    if (text.size() > 8) {
        return false;
    }
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const auto isDigit = [&](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    // The number's digits without the point, and how many of them stand before it.
    std::string digits;
    long point = 0;
    while (isDigit(at)) {
        digits.push_back(text[at++]);
        ++point;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (isDigit(at)) {
            digits.push_back(text[at++]);
        }
    }
    if (digits.empty()) {
        fen = 0;
        return true;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponentAt = at + 1;
        bool exponentNegative = false;
        if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
            exponentNegative = text[exponentAt] == '-';
            ++exponentAt;
        }
        if (isDigit(exponentAt)) {
            long exponent = 0;
            while (isDigit(exponentAt)) {
                exponent = exponent * 10 + (text[exponentAt++] - '0');
            }
            point += exponentNegative ? -exponent : exponent;
        }
    }
    if (digits.find_first_not_of('0') == std::string::npos) {
        fen = 0;
        return true;
    }
    // A non-zero amount with more than ten places before the point passes the field anyway.
    if (point > 10) {
        return false;
    }
    // Fen are the digits up to two places after the point; the rest is truncated.
    std::int64_t value = 0;
    const long kept = point + 2;
    for (long i = 0; i < kept; ++i) {
        const int digit =
            i < static_cast<long>(digits.size()) ? digits[static_cast<std::size_t>(i)] - '0' : 0;
        value = value * 10 + digit;
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return false;
        }
    }
    if (negative && value != 0) {
        return false;
    }
    fen = static_cast<std::int32_t>(value);
    return true;
}

std::string FormatYuan(std::int64_t fen) {
    const bool negative = fen < 0;
    // Unsigned, so that the smallest 64-bit value has a magnitude too.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(fen) : static_cast<std::uint64_t>(fen);
    char text[40];
    std::snprintf(text, sizeof(text), "%s%llu.%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 100),
                  static_cast<unsigned long long>(magnitude % 100));
    return text;
}
