// One range of mobile numbers in data3\mobile.dat: a line of six words "from to province city
// (a word not kept) card", where from and to are the range's first and last numbers as text.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr char kMobileFile[] = "data3\\mobile.dat";

struct MobileRangeRecord {
    char from[10] = {};
    char to[10] = {};
    // The decimal values of from and to (held at the int32 range's ends); kept, not searched.
    std::int32_t fromNumber = 0;
    std::int32_t toNumber = 0;
    char province[20] = {};
    char city[20] = {};
    // The card type's description.
    char card[80] = {};

    // Words longer than their fields are cut; fields of missing words stay empty.
    static MobileRangeRecord Parse(const char* line);
    // Whether the first `length` bytes of `number` lie between from and to, compared as strncmp
    // compares.
    bool Covers(const char* number, std::size_t length) const;
};
static_assert(sizeof(MobileRangeRecord) == 148);
