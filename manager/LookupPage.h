// The lookup page, page 5 of the main window: the title "实用查询" over its skin and one of four
// child dialogs below it, chosen by the page commands 50 to 53 (indices 0 to 3): post and area
// codes, mobile-number ranges, identity-card regions and the idiom dictionary.
#pragma once

#include "manager/SubPageHost.h"

inline constexpr char kSearchSkinKey[] = "[BITMAP_BACKGROUND_SEARCH]";

class CLookupPage : public CSubPageHost {
public:
    enum Slot { kPostCode, kMobile, kIdCard, kIdiom, kChildren };

    CLookupPage();

protected:
    std::unique_ptr<CDialog> CreateChild(int index, UINT& templateId) override;
};
