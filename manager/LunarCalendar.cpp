#include "manager/LunarCalendar.h"

#include <array>
#include <bit>
#include <cstdint>

#include "platform/time/OleDateTime.h"
#include "platform/time/OleDateTimeSpan.h"

namespace {

// One word per lunar year 1900..2049: bits 0-3 the leap month (0 none), bits 15..4 the lengths of
// months 1..12 (set = 30 days), bit 16 the length of the leap month. Rows follow the official
// calendar where circulating copies disagree (2033 repeats month 11, not month 3).
constexpr std::array<std::uint32_t, 150> kYearInfo = {
    0x04BD8, 0x04AE0, 0x0A570, 0x054D5, 0x0D260, 0x0D950, 0x16554, 0x056A0, 0x09AD0, 0x055D2,
    0x04AE0, 0x0A5B6, 0x0A4D0, 0x0D250, 0x1D255, 0x0B540, 0x0D6A0, 0x0ADA2, 0x095B0, 0x14977,
    0x04970, 0x0A4B0, 0x0B4B5, 0x06A50, 0x06D40, 0x1AB54, 0x02B60, 0x09570, 0x052F2, 0x04970,
    0x06566, 0x0D4A0, 0x0EA50, 0x16A95, 0x05AD0, 0x02B60, 0x186E3, 0x092E0, 0x1C8D7, 0x0C950,
    0x0D4A0, 0x1D8A6, 0x0B550, 0x056A0, 0x1A5B4, 0x025D0, 0x092D0, 0x0D2B2, 0x0A950, 0x0B557,
    0x06CA0, 0x0B550, 0x15355, 0x04DA0, 0x0A5B0, 0x14573, 0x052B0, 0x0A9A8, 0x0E950, 0x06AA0,
    0x0AEA6, 0x0AB50, 0x04B60, 0x0AAE4, 0x0A570, 0x05260, 0x0F263, 0x0D950, 0x05B57, 0x056A0,
    0x096D0, 0x04DD5, 0x04AD0, 0x0A4D0, 0x0D4D4, 0x0D250, 0x0D558, 0x0B540, 0x0B6A0, 0x195A6,
    0x095B0, 0x049B0, 0x0A974, 0x0A4B0, 0x0B27A, 0x06A50, 0x06D40, 0x0AF46, 0x0AB60, 0x09570,
    0x04AF5, 0x04970, 0x064B0, 0x074A3, 0x0EA50, 0x06B58, 0x05AC0, 0x0AB60, 0x096D5, 0x092E0,
    0x0C960, 0x0D954, 0x0D4A0, 0x0DA50, 0x07552, 0x056A0, 0x0ABB7, 0x025D0, 0x092D0, 0x0CAB5,
    0x0A950, 0x0B4A0, 0x0BAA4, 0x0AD50, 0x055D9, 0x04BA0, 0x0A5B0, 0x15176, 0x052B0, 0x0A930,
    0x07954, 0x06AA0, 0x0AD50, 0x05B52, 0x04B60, 0x0A6E6, 0x0A4E0, 0x0D260, 0x0EA65, 0x0D530,
    0x05AA0, 0x076A3, 0x096D0, 0x04AFB, 0x04AD0, 0x0A4D0, 0x1D0B6, 0x0D250, 0x0D520, 0x0DD45,
    0x0B5A0, 0x056D0, 0x055B2, 0x049B0, 0x0A577, 0x0A4B0, 0x0AA50, 0x1B255, 0x06D20, 0x0ADA0,
};

// Minutes from the 1900 moment below to each solar term of a year, 小寒 first.
constexpr std::array<std::int32_t, 24> kSolarTermMinutes = {
    0,      21208,  42467,  63836,  85337,  107014, 128867, 150921, 173149, 195551, 218072, 240693,
    263343, 285989, 308563, 331033, 353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758,
};

constexpr long double kSecondsPerTropicalYear = 31556925.9747L;

constexpr std::array<const char*, 24> kSolarTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至",
};

constexpr std::array<const char*, 10> kStems = {"甲", "乙", "丙", "丁", "戊",
                                                "己", "庚", "辛", "壬", "癸"};
constexpr std::array<const char*, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                   "午", "未", "申", "酉", "戌", "亥"};
constexpr std::array<const char*, 12> kAnimals = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                  "马", "羊", "猴", "鸡", "狗", "猪"};

constexpr std::array<const char*, 12> kMonthNames = {
    "正月", "二月", "三月", "四月", "五月",   "六月",
    "七月", "八月", "九月", "十月", "十一月", "十二月",
};

constexpr std::array<const char*, 30> kDayNames = {
    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十",
};

bool InTable(int year) {
    return year >= CLunarCalendar::kFirstYear && year <= CLunarCalendar::kLastYear;
}

std::uint32_t YearInfo(int year) {
    return kYearInfo[static_cast<std::size_t>(year - CLunarCalendar::kFirstYear)];
}

// Number of days the table covers, so that a date past its end is refused before the year walk
// could step beyond the last row.
constexpr int TableDays() {
    int days = 0;
    for (const std::uint32_t info : kYearInfo) {
        days += 348 + std::popcount(info & 0xFFF0u);
        if ((info & 0xF) != 0) {
            days += (info & 0x10000) != 0 ? 30 : 29;
        }
    }
    return days;
}

constexpr int kTableDays = TableDays();

// Appends whole GBK characters of `text` after `length` bytes of `out` while they fit in `size`
// bytes with the terminator; returns the new length.
std::size_t AppendText(char* out, std::size_t size, std::size_t length, const char* text) {
    for (std::size_t i = 0; text[i] != '\0';) {
        const bool doubleByte = static_cast<unsigned char>(text[i]) >= 0x81 && text[i + 1] != '\0';
        const std::size_t width = doubleByte ? 2 : 1;
        if (length + width + 1 > size) {
            break;
        }
        for (std::size_t k = 0; k < width; ++k) {
            out[length++] = text[i++];
        }
    }
    out[length] = '\0';
    return length;
}

void CopyText(char* out, std::size_t size, const char* text) {
    if (size > 0) {
        AppendText(out, size, 0, text);
    }
}

}  // namespace

int CLunarCalendar::LeapMonth(int year) const {
    return InTable(year) ? static_cast<int>(YearInfo(year) & 0xF) : 0;
}

int CLunarCalendar::LeapMonthDays(int year) const {
    if (LeapMonth(year) == 0) {
        return 0;
    }
    return (YearInfo(year) & 0x10000) != 0 ? 30 : 29;
}

int CLunarCalendar::MonthDays(int year, int month) const {
    if (!InTable(year) || month < 1 || month > 12) {
        return 0;
    }
    return (YearInfo(year) & (0x10000u >> month)) != 0 ? 30 : 29;
}

int CLunarCalendar::YearDays(int year) const {
    if (!InTable(year)) {
        return 0;
    }
    return 348 + std::popcount(YearInfo(year) & 0xFFF0u) + LeapMonthDays(year);
}

int CLunarCalendar::SolarTermDay(int year, int term) const {
    if (term < 0 || term > 23) {
        return 0;
    }
    const long double seconds = static_cast<long double>(kSolarTermMinutes[term]) * 60 +
                                static_cast<long double>(year - 1900) * kSecondsPerTropicalYear;
    const long double days = static_cast<long long>(seconds / 86400);
    long double rest = seconds - days * 86400;
    const long double hours = static_cast<long long>(rest / 3600);
    rest -= hours * 3600;
    const long double minutes = static_cast<long long>(rest / 60);
    rest -= minutes * 60;
    const COleDateTimeSpan span(static_cast<LONG>(days), static_cast<int>(hours),
                                static_cast<int>(minutes), static_cast<int>(rest));
    const COleDateTime moment = COleDateTime(1900, 1, 6, 2, 5, 0) + span;
    return moment.GetStatus() == COleDateTime::valid ? moment.GetDay() : 0;
}

void CLunarCalendar::GanZhiName(int index, char* text, std::size_t size) const {
    if (size == 0) {
        return;
    }
    const int stem = (index % 10 + 10) % 10;
    const int branch = (index % 12 + 12) % 12;
    const std::size_t length = AppendText(text, size, 0, kStems[stem]);
    AppendText(text, size, length, kBranches[branch]);
}

int CLunarCalendar::ToLunar(int year, int month, int day, int& lunarYear, int& lunarMonth,
                            int& lunarDay, char* ganZhi, std::size_t ganZhiSize, char* zodiac,
                            std::size_t zodiacSize, char* cellText, std::size_t cellTextSize,
                            int& termFlag) const {
    lunarYear = 0;
    lunarMonth = 0;
    lunarDay = 0;
    termFlag = 0;
    CopyText(ganZhi, ganZhiSize, "");
    CopyText(zodiac, zodiacSize, "");
    CopyText(cellText, cellTextSize, "");

    const COleDateTime date(year, month, day, 0, 0, 0);
    if (date.GetStatus() != COleDateTime::valid) {
        return 0;
    }
    long offset = (date - COleDateTime(1900, 1, 31, 0, 0, 0)).GetDays();
    if (offset < 0 || offset >= kTableDays) {
        return 0;
    }

    int lunar = kFirstYear;
    int length = 0;
    while (offset > 0 && lunar <= kLastYear) {
        length = YearDays(lunar);
        offset -= length;
        ++lunar;
    }
    if (offset < 0) {
        --lunar;
        offset += length;
    }

    const int leap = LeapMonth(lunar);
    bool inLeap = false;
    int m = 1;
    for (; m <= 12 && offset > 0; ++m) {
        if (leap > 0 && m == leap + 1 && !inLeap) {
            --m;
            inLeap = true;
            length = LeapMonthDays(lunar);
        } else {
            length = MonthDays(lunar, m);
        }
        if (inLeap && m == leap + 1) {
            inLeap = false;
        }
        offset -= length;
    }
    if (offset == 0 && leap > 0 && m == leap + 1 && !inLeap) {
        --m;
    }
    if (offset < 0) {
        offset += length;
        --m;
    }

    lunarYear = lunar;
    lunarMonth = m;
    lunarDay = static_cast<int>(offset) + 1;
    CopyText(zodiac, zodiacSize, kAnimals[static_cast<std::size_t>((lunar - 4) % 12)]);
    GanZhiName(lunar - 1864, ganZhi, ganZhiSize);

    for (const int term : {2 * month - 2, 2 * month - 1}) {
        if (day == SolarTermDay(year, term)) {
            CopyText(cellText, cellTextSize, kSolarTermNames[static_cast<std::size_t>(term)]);
            termFlag = 1;
            return 1;
        }
    }
    CopyText(cellText, cellTextSize,
             lunarDay == 1 ? LunarMonthName(lunarMonth) : LunarDayName(lunarDay));
    return 1;
}

const char* CLunarCalendar::LunarMonthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month - 1)] : "";
}

const char* CLunarCalendar::LunarDayName(int day) {
    return day >= 1 && day <= 30 ? kDayNames[static_cast<std::size_t>(day - 1)] : "";
}
