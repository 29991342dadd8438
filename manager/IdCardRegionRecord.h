// One region of data3\sfz.dat: a line of two words, the code that leads an identity-card number
// and the region's name.
#pragma once

#include "manager/LookupDataFile.h"

inline constexpr char kIdCardFile[] = "data3\\sfz.dat";

struct IdCardRegionRecord {
    char code[20] = {};
    char region[80] = {};

    // Words longer than their fields are cut; fields of missing words stay empty.
    static IdCardRegionRecord Parse(const char* line) {
        IdCardRegionRecord record;
        ScanWords(line, {record.code, record.region});
        return record;
    }
};
static_assert(sizeof(IdCardRegionRecord) == 100);
