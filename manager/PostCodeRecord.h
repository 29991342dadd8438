// One city of data3\ybqh.dat: a line of four words, province, city, area code and post code. The
// record keeps the post code before the area code; the sortable list reads its texts at offsets
// 0, 20, 40 and 60.
#pragma once

#include "manager/LookupDataFile.h"

inline constexpr char kPostCodeFile[] = "data3\\ybqh.dat";

struct PostCodeRecord {
    char province[20] = {};
    char city[20] = {};
    char postCode[20] = {};
    char areaCode[20] = {};

    // Words longer than their fields are cut; fields of missing words stay empty.
    static PostCodeRecord Parse(const char* line) {
        PostCodeRecord record;
        ScanWords(line, {record.province, record.city, record.areaCode, record.postCode});
        return record;
    }
};
static_assert(sizeof(PostCodeRecord) == 80);
