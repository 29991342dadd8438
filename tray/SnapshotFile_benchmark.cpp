// A full-screen capture of the 1024 x 768 screen written to a .bmp file, beside ImageMagick
// writing a .bmp file of the same size in the same run. The capture's deliberate 100 ms pause
// (for a menu to close) passes on the test clock, so that only the work is measured; the heap is
// set up as the program sets it up.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/screen/ScreenApi.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"
#include "tray/SnapshotFile.h"

extern char** environ;

namespace {

void BM_CaptureFullScreenToFile(benchmark::State& state) {
    platform::InstallScreen();
    KeepPictureMemory();
    SYSTEMTIME start{};
    start.wYear = 2006;
    start.wMonth = 9;
    start.wDay = 15;
    platform::UseTestClock(start);
    platform::testing::TempFolder folder;
    const std::string target = platform::ToWindowsPath(folder.path()) + "\\";
    HDC screen = ::GetDC(nullptr);
    for (auto _ : state) {
        HBITMAP picture = nullptr;
        int width = 0;
        int height = 0;
        GrabScreen(&picture, &width, &height);
        CString path;
        if (SaveBitmapFile(picture, path, target.c_str(), screen) != 1) {
            state.SkipWithError("the file was not written");
        }
        ::DeleteObject(picture);
        state.PauseTiming();
        ::DeleteFileA(path);
        state.ResumeTiming();
    }
    ::ReleaseDC(nullptr, screen);
    platform::UseRealClock();
}
BENCHMARK(BM_CaptureFullScreenToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImageMagickBmp(benchmark::State& state) {
    platform::testing::TempFolder folder;
    std::string target = "bmp3:" + (folder.path() / "peer.bmp").string();
    for (auto _ : state) {
        char program[] = "convert";
        char size[] = "-size";
        char extent[] = "1024x768";
        char canvas[] = "xc:white";
        char* argv[] = {program, size, extent, canvas, target.data(), nullptr};
        pid_t child = -1;
        if (posix_spawnp(&child, "convert", nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("convert does not start");
            return;
        }
        waitpid(child, nullptr, 0);
    }
}
BENCHMARK(BM_ImageMagickBmp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
