// A diary month file: one file per user and month, "notebook\<user>\<yyyy><mm>.dat" under the
// program folder, enciphered whole with the check trailer of the user's name and password
// (CDesCipher). Its plain form, all integers little-endian:
//
//   int32 slot count (32 as written)
//   per slot: the 28-byte date record (flag 0, year, month, day 1..32, 0, 0, 0),
//             int32 text length n (0 for a day without text), n bytes of GBK text
//
// followed by the cipher's zero padding. The plain form is built and read in memory only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "manager/DateRecord.h"

// One day of an open month: the date record and the day's text, empty for a day without text.
struct DiaryDaySlot {
    DateRecord header;
    std::string text;
};

class CDiaryMonthFile {
public:
    // Days 1..32: slot i holds day i + 1, also in months that have fewer days.
    static constexpr int kSlots = 32;
    static constexpr std::size_t kHeaderSize = 28;

    // The month file of the user under the program folder (which ends in a backslash).
    static std::string PathOf(const std::string& folder, const std::string& user, int year,
                              int month);
    // The check text of the month files' trailer: user name, password, the cipher's salt.
    static std::string CheckText(const std::string& user, const std::string& password);
    // The 32 slots of the month, without text.
    static std::vector<DiaryDaySlot> EmptyMonth(int year, int month);

    // Reads a plain month over `slots`, which hold kSlots entries: slot i takes the i-th stored
    // record and text (up to a zero byte in it); slots past a smaller count stay as they were.
    // False, with `slots` untouched, when the count is negative or above kSlots, a length is
    // negative, or a record or text runs past the bytes.
    static bool Parse(const std::uint8_t* bytes, std::size_t size,
                      std::vector<DiaryDaySlot>& slots);
    // The plain form of the slots, without padding.
    static std::string Serialize(const std::vector<DiaryDaySlot>& slots);

    // 0 when the month file was read over `slots`; 1 when there was none, it belongs to another
    // user or password, or it fails the checks (the slots and the file stay as they were).
    // Plain files that older versions left beside it (".dat2", ".dat3") are deleted first.
    static int Load(const std::string& path, const std::string& checkText,
                    std::vector<DiaryDaySlot>& slots);
    // 0 when the month file was replaced whole; 1 when it could not be written, leaving the
    // previous file as it was.
    static int Save(const std::string& path, const std::string& checkText,
                    const std::vector<DiaryDaySlot>& slots);
};
