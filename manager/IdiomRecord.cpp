#include "manager/IdiomRecord.h"

#include <cstring>

IdiomRecord IdiomRecord::Parse(const char* line) {
    IdiomRecord record;
    std::string* fields[] = {&record.idiom,       &record.initials, &record.pinyin,
                             &record.explanation, &record.source,   &record.example};
    const char* start = line;
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const char* slash = i + 1 < std::size(fields) ? std::strchr(start, '/') : nullptr;
        if (slash == nullptr) {
            fields[i]->assign(start);
            break;
        }
        fields[i]->assign(start, slash);
        start = slash + 1;
    }
    return record;
}
