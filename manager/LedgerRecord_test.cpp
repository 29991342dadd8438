#include "manager/LedgerRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "manager/RecordBytes.h"

namespace {

std::string Word(std::uint32_t value) {
    std::string bytes;
    RecordBytes::AppendWord(bytes, value);
    return bytes;
}

LedgerRecordList Parse(const std::string& bytes) {
    LedgerRecordList list;
    ParseLedgerRecords(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                       list);
    return list;
}

std::int32_t Fen(const char* text) {
    std::int32_t fen = -1;
    return ParseLedgerAmount(text, fen) ? fen : -1;
}

TEST(LedgerRecordTest, MonthFileHoldsCountThenTypeDateAmountAndNoteByteForByte) {
    std::string note = "午饭";
    note.resize(200, '\0');
    const std::string record = Word(1) + Word(0) + Word(2006) + Word(9) + Word(15) + Word(0) +
                               Word(0) + Word(0) + Word(1250) + note;
    ASSERT_EQ(record.size(), kLedgerRecordSize);
    const std::string file = Word(1) + record;
    LedgerRecordList list = Parse(file);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->type, 1);
    EXPECT_EQ(list[0]->date.year * 10000 + list[0]->date.month * 100 + list[0]->date.day, 20060915);
    EXPECT_EQ(list[0]->amount, 1250);
    EXPECT_STREQ(list[0]->note, "午饭");
    EXPECT_EQ(SerializeLedgerRecords(list), file);
    EXPECT_EQ(LedgerMonthPath(2006, 9), "data3\\syssr\\sr200609.dat");

    // A count beyond the file stops at the last whole record; a full note is cut to end in NUL.
    std::string full = record;
    std::memset(full.data() + 36, 'x', 200);
    list = Parse(Word(0xFFFFFFFFu) + full + record.substr(0, 235));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(std::strlen(list[0]->note), 199u);

    // A note cut at its limit never ends in half a two-byte character.
    LedgerRecord cut;
    std::string chinese;
    for (int i = 0; i < 100; ++i) {
        chinese += "中";
    }
    RecordBytes::Store(cut.note, "a" + chinese);
    EXPECT_EQ(std::string(cut.note), "a" + chinese.substr(0, 198));
    RecordBytes::Store(cut.note, chinese);
    EXPECT_EQ(std::string(cut.note), chinese.substr(0, 198));
    // So is a full note read from a file.
    full.replace(36, 200, chinese);
    list = Parse(Word(1) + full);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(std::string(list[0]->note), chinese.substr(0, 198));
}

TEST(LedgerRecordTest, AmountsAreReadExactlyInFenAndRefusedOutOfRange) {
    EXPECT_EQ(Fen("12.5"), 1250);
    // Exactly, where multiplying the double by 100 would give 28.
    EXPECT_EQ(Fen("0.29"), 29);
    EXPECT_EQ(Fen("12.345"), 1234);
    EXPECT_EQ(Fen(" +7元"), 700);
    EXPECT_EQ(Fen("abc"), 0);
    EXPECT_EQ(Fen(""), 0);
    EXPECT_EQ(Fen(".5"), 50);
    EXPECT_EQ(Fen("1e3"), 100000);
    EXPECT_EQ(Fen("25e-3"), 2);
    EXPECT_EQ(Fen("-0.001"), 0);
    EXPECT_EQ(Fen("0e999999"), 0);
    EXPECT_EQ(Fen("21474836"), 2147483600);
    EXPECT_EQ(Fen("21474837"), -1);
    EXPECT_EQ(Fen("9e99"), -1);
    // Nine characters, and negative amounts, are refused.
    EXPECT_EQ(Fen("123456789"), -1);
    EXPECT_EQ(Fen("-5"), -1);
}

TEST(LedgerRecordTest, YuanAreFormattedFromFenExactlyAtAnySize) {
    EXPECT_EQ(FormatYuan(0), "0.00");
    EXPECT_EQ(FormatYuan(29), "0.29");
    EXPECT_EQ(FormatYuan(-1250), "-12.50");
    EXPECT_EQ(FormatYuan(4294967294LL), "42949672.94");
    EXPECT_EQ(FormatYuan(INT64_MIN), "-92233720368547758.08");
}

}  // namespace
