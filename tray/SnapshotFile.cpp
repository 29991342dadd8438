#include "tray/SnapshotFile.h"

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "common/WholeFile.h"
#include "manager/ManagerDirectoryChain.h"
#include "platform/files/FileApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowApi.h"

namespace {

void PutLittle(std::string& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

bool Exists(const CString& path) {
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

BitmapFileLayout LayoutOfBitmapFile(int width, int height, int planes, int bitsPerPixel) {
    BitmapFileLayout layout;
    const int depth = planes * bitsPerPixel;
    layout.colours = depth == 1 ? 2 : depth <= 4 ? 16 : depth <= 8 ? 256 : depth <= 16 ? 65536 : 0;
    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31) / 32 *
        4;
    layout.rowBytes = static_cast<std::uint32_t>(rowBytes);
    layout.imageBytes = static_cast<std::uint32_t>(rowBytes * static_cast<std::uint32_t>(height));
    layout.pixelOffset = 14 + 40 + 4 * layout.colours;
    layout.fileBytes = layout.pixelOffset + layout.imageBytes;
    return layout;
}

CString SnapshotPath(const char* folder, const SYSTEMTIME& now) {
    CString base = folder;
    const std::string_view text(base);
    // A final 0x5C may be the second byte of a two-byte character rather than a separator.
    const bool endsInSeparator =
        !text.empty() &&
        (text.back() == '/' || platform::FindLastChar(text, '\\') == text.size() - 1);
    if (!text.empty() && !endsInSeparator) {
        base += "\\";
    }
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "Snapshot%04d%02d%02d%02d%02d%02d", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    CString path = base + stamp + ".bmp";
    for (int copy = 2; Exists(path) && copy < 1000; ++copy) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "_%d.bmp", copy);
        path = base + stamp + suffix;
    }
    return path;
}

int GrabScreen(HBITMAP* picture, int* width, int* height) {
    *picture = nullptr;
    *width = 0;
    *height = 0;
    ::Sleep(100);
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (display == nullptr) {
        return 0;
    }
    *width = ::GetDeviceCaps(display, HORZRES);
    *height = ::GetDeviceCaps(display, VERTRES);
    const int left = desktop.left > 0 ? desktop.left : 0;
    const int top = desktop.top > 0 ? desktop.top : 0;
    const int cx = (*width < desktop.right ? *width : desktop.right) - left;
    const int cy = (*height < desktop.bottom ? *height : desktop.bottom) - top;
    HDC memory = ::CreateCompatibleDC(display);
    HBITMAP bitmap = cx > 0 && cy > 0 ? ::CreateCompatibleBitmap(display, cx, cy) : nullptr;
    int result = 1;
    if (bitmap != nullptr && memory != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, cx, cy, display, left, top, SRCCOPY);
        ::SelectObject(memory, old);
        *picture = bitmap;
        result = 0;
    } else if (bitmap != nullptr) {
        ::DeleteObject(bitmap);
    }
    if (memory != nullptr) {
        ::DeleteDC(memory);
    }
    ::DeleteDC(display);
    return result;
}

int SaveBitmapFile(HBITMAP bitmap, CString& path, const char* folder, HDC dc) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    path = SnapshotPath(folder, now);
    const CString wanted = path;
    path.Empty();
    manager::CreateDirectoryChain(wanted);

    BITMAP picture{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof picture, &picture) == 0 ||
        picture.bmWidth <= 0 || picture.bmHeight <= 0) {
        return 0;
    }
    const BitmapFileLayout layout = LayoutOfBitmapFile(picture.bmWidth, picture.bmHeight,
                                                       picture.bmPlanes, picture.bmBitsPixel);
    const std::size_t infoBytes = 40 + 4 * static_cast<std::size_t>(layout.colours);
    std::vector<std::uint8_t> info(infoBytes, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = 40;
    header->biWidth = picture.bmWidth;
    header->biHeight = picture.bmHeight;
    header->biPlanes = picture.bmPlanes;
    header->biBitCount = picture.bmBitsPixel;
    header->biCompression = BI_RGB;
    header->biSizeImage = layout.imageBytes;
    header->biClrUsed = layout.colours;
    // One buffer for the whole file, the pixels read straight into their place: a capture is
    // megabytes, and every extra pass over it shows.
    std::unique_ptr<char[]> file(new (std::nothrow) char[layout.fileBytes]);
    if (file == nullptr) {
        return 0;
    }
    if (::GetDIBits(dc, bitmap, 0, static_cast<UINT>(picture.bmHeight),
                    file.get() + layout.pixelOffset, reinterpret_cast<BITMAPINFO*>(info.data()),
                    DIB_RGB_COLORS) == 0) {
        return 0;
    }
    std::string head = "BM";
    PutLittle(head, layout.fileBytes, 4);
    PutLittle(head, 0, 4);
    PutLittle(head, layout.pixelOffset, 4);
    std::memcpy(file.get(), head.data(), head.size());
    std::memcpy(file.get() + head.size(), info.data(), info.size());
    const std::string_view bytes(file.get(), layout.fileBytes);
    if (!WriteWholeFile(wanted, bytes)) {
        return 0;
    }
    path = wanted;
    return 1;
}

HBITMAP CopyBitmap(HBITMAP bitmap, int width, int height) {
    if (bitmap == nullptr || width <= 0 || height <= 0) {
        return nullptr;
    }
    HDC screen = ::GetDC(nullptr);
    HDC source = ::CreateCompatibleDC(screen);
    HDC target = ::CreateCompatibleDC(screen);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, width, height);
    if (copy != nullptr) {
        HGDIOBJ oldSource = ::SelectObject(source, bitmap);
        HGDIOBJ oldTarget = ::SelectObject(target, copy);
        ::BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
        ::SelectObject(source, oldSource);
        ::SelectObject(target, oldTarget);
    }
    ::DeleteDC(source);
    ::DeleteDC(target);
    ::ReleaseDC(nullptr, screen);
    return copy;
}

void KeepPictureMemory() {
    // Buffers below 32 MiB come from the heap, which gives memory back above 64 MiB free.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
}
