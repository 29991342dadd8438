#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A window the size of the screen repainted whole, as after a restore: WM_ERASEBKGND fills it
// with the class brush, WM_PAINT draws on it and the screen hands the damage to the presenter's
// seam (none here, as headless).
void BM_FullWindowRepaint(benchmark::State& state) {
    platform::InstallScreen();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "RepaintBenchmark";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    HWND hwnd = CreateWindowExA(0, "RepaintBenchmark", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                                kHeight, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(hwnd);
    for (auto _ : state) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    DestroyWindow(hwnd);
}
BENCHMARK(BM_FullWindowRepaint);

// The peer: the same number of pixels moved by memcpy.
void BM_MemcpyWindowPixels(benchmark::State& state) {
    std::vector<std::uint32_t> from(kWidth * kHeight, 0xFFFFFF);
    std::vector<std::uint32_t> to(kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_MemcpyWindowPixels);

}  // namespace
