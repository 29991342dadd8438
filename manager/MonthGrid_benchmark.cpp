// Painting one month of the calendar page (filling the grid with lunar days and marks, then
// drawing it into the page's 581 x 292 grid area of a 630 x 490 off-screen buffer), beside the
// diary's simpler month (mode 2) painted into the same buffer in the same run.
#include "manager/MonthGrid.h"

#include <benchmark/benchmark.h>

#include "manager/ManagerGdi.h"
#include "platform/drawing/Gdi.h"

namespace {

void PaintMonths(benchmark::State& state, int mode) {
    Gdi().Create();
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP buffer = ::CreateCompatibleBitmap(memory, 630, 490);
    HGDIOBJ old = ::SelectObject(memory, buffer);
    CMonthGrid grid;
    grid.Create(nullptr, RECT{24, 100, 24 + 581, 392}, mode);
    CDC* dc = CDC::FromHandle(memory);
    int month = 0;
    for (auto _ : state) {
        grid.Fill(2006, 1 + month++ % 12, 1);
        grid.Draw(dc);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(buffer);
    ::DeleteDC(memory);
    Gdi().Destroy();
}

void BM_PaintCalendarMonth(benchmark::State& state) {
    PaintMonths(state, 1);
}
BENCHMARK(BM_PaintCalendarMonth)->Unit(benchmark::kMillisecond);

void BM_PaintDiaryMonth(benchmark::State& state) {
    PaintMonths(state, 2);
}
BENCHMARK(BM_PaintDiaryMonth)->Unit(benchmark::kMillisecond);

}  // namespace
