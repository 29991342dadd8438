#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/Gdi.h"

namespace {

// A screen grab copies the whole screen once; the painters copy their buffers on every paint.
void BM_BitBltScreen(benchmark::State& state) {
    platform::Surface screen(1024, 768);
    screen.Fill(0x336699);
    HDC display = platform::CreateSurfaceDC(screen, POINT{0, 0}, RECT{0, 0, 1024, 768});
    HDC memory = CreateCompatibleDC(display);
    HBITMAP bitmap = CreateCompatibleBitmap(display, 1024, 768);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BitBlt(memory, 0, 0, 1024, 768, display, 0, 0, SRCCOPY));
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    DeleteDC(display);
}
BENCHMARK(BM_BitBltScreen);

// The peer of the screen copy: the same pixels with memcpy, the bound of any copy.
void BM_CopyScreenPixels(benchmark::State& state) {
    std::vector<platform::Pixel> screen(1024 * 768, 0x336699);
    std::vector<platform::Pixel> memory(screen.size());
    for (auto _ : state) {
        std::memcpy(memory.data(), screen.data(), screen.size() * sizeof(platform::Pixel));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_CopyScreenPixels);

void BM_DrawTextChinese(benchmark::State& state) {
    platform::Surface screen(400, 40);
    HDC dc = platform::CreateSurfaceDC(screen, POINT{0, 0}, RECT{0, 0, 400, 40});
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    HGDIOBJ old = SelectObject(dc, font);
    RECT rect{0, 0, 400, 40};
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawTextA(dc, "今天下午三点开会，请准时参加。(&R)", -1, &rect,
                                           DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}
BENCHMARK(BM_DrawTextChinese);

}  // namespace
