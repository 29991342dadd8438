#include "manager/LunarCalendar.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "platform/time/OleDateTime.h"
#include "platform/time/OleDateTimeSpan.h"

namespace {

// Converting every day of 1900..2049 once, as paging through the whole calendar would; the goal
// is well under 50 ms for the lot.
void BM_ToLunarEveryDay(benchmark::State& state) {
    std::vector<std::array<int, 3>> days;
    const COleDateTime end(2050, 1, 1, 0, 0, 0);
    for (COleDateTime date(1900, 1, 1, 0, 0, 0); date < end; date += COleDateTimeSpan(1, 0, 0, 0)) {
        days.push_back({date.GetYear(), date.GetMonth(), date.GetDay()});
    }
    const CLunarCalendar calendar;
    char ganZhi[CLunarCalendar::kGanZhiSize];
    char zodiac[CLunarCalendar::kZodiacSize];
    char cell[CLunarCalendar::kCellTextSize];
    for (auto _ : state) {
        for (const auto& [year, month, day] : days) {
            int lunarYear = 0;
            int lunarMonth = 0;
            int lunarDay = 0;
            int term = 0;
            benchmark::DoNotOptimize(calendar.ToLunar(year, month, day, lunarYear, lunarMonth,
                                                      lunarDay, ganZhi, sizeof ganZhi, zodiac,
                                                      sizeof zodiac, cell, sizeof cell, term));
            benchmark::DoNotOptimize(cell);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * days.size()));
}
BENCHMARK(BM_ToLunarEveryDay)->Unit(benchmark::kMillisecond);

}  // namespace
