#include "manager/SortListRowKind.h"

#include "platform/text/Gbk.h"

int SortListRowKind::CompareText(std::string_view p, std::string_view q) {
    const int order = platform::CompareBytes(p, q);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int SortListRowKind::CompareTextNoCase(std::string_view p, std::string_view q) {
    const int order = platform::CompareNoCase(p, q);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
