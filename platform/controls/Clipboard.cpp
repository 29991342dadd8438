#include "platform/controls/Clipboard.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/GlobalMemory.h"
#include "platform/drawing/Gdi.h"
#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

struct ClipboardEntry {
    UINT format = 0;
    HANDLE data = nullptr;
    // Made from another format on request.
    bool converted = false;
};

struct ClipboardState {
    std::mutex mutex;
    bool open = false;
    DWORD openThread = 0;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::vector<ClipboardEntry> entries;
    std::map<UINT, std::string> names;
    // The contents changed since the clipboard was opened: the desktop hears of it on closing.
    bool changed = false;
    // The CF_DIB entry stands for another desktop program's picture, not fetched yet.
    bool picture_pending = false;
};

std::atomic<DesktopClipboard*> desktop_clipboard = nullptr;

ClipboardState& State() {
    static ClipboardState* state = new ClipboardState;
    return *state;
}

bool OpenedHere(const ClipboardState& state) {
    return state.open && state.openThread == GetCurrentThreadId();
}

bool IsGdiFormat(UINT format) {
    return format == CF_BITMAP || format == CF_PALETTE || format == CF_DSPBITMAP ||
           (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
}

void Release(const ClipboardEntry& entry) {
    if (entry.data == nullptr ||
        (entry.format >= CF_PRIVATEFIRST && entry.format <= CF_PRIVATELAST) ||
        entry.format == CF_ENHMETAFILE) {
        return;
    }
    if (IsGdiFormat(entry.format)) {
        DeleteObject(entry.data);
    } else {
        GlobalFree(entry.data);
    }
}

ClipboardEntry* Find(ClipboardState& state, UINT format) {
    auto found = std::find_if(state.entries.begin(), state.entries.end(),
                              [&](const ClipboardEntry& entry) { return entry.format == format; });
    return found == state.entries.end() ? nullptr : &*found;
}

// The formats a missing format can be made from, best first.
std::vector<UINT> SourcesOf(UINT format) {
    switch (format) {
        case CF_TEXT:
            return {CF_UNICODETEXT, CF_OEMTEXT};
        case CF_OEMTEXT:
            return {CF_TEXT, CF_UNICODETEXT};
        case CF_UNICODETEXT:
            return {CF_TEXT, CF_OEMTEXT};
        case CF_BITMAP:
            return {CF_DIB};
        case CF_DIB:
            return {CF_BITMAP};
        default:
            return {};
    }
}

std::string BlockBytes(HANDLE block) {
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    if (bytes == nullptr) {
        return std::string();
    }
    std::string copy(bytes, GlobalSize(block));
    GlobalUnlock(block);
    return copy;
}

HANDLE NewBlock(const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

std::u16string WideText(HANDLE block) {
    const std::string bytes = BlockBytes(block);
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text.substr(0, text.find(u'\0'));
}

HANDLE ConvertText(UINT format, UINT sourceFormat, HANDLE source) {
    if (format == CF_UNICODETEXT) {
        std::string narrow = BlockBytes(source);
        narrow = narrow.substr(0, narrow.find('\0'));
        const std::u16string wide = GbkToUtf16(narrow);
        return NewBlock(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    }
    std::string narrow;
    if (sourceFormat == CF_UNICODETEXT) {
        narrow = Utf16ToGbk(WideText(source));
    } else {
        narrow = BlockBytes(source);
        narrow = narrow.substr(0, narrow.find('\0'));
    }
    return NewBlock(narrow.c_str(), narrow.size() + 1);
}

// A packed DIB (header then 32-bit bottom-up pixels) of the bitmap.
HANDLE DibOfBitmap(HANDLE source) {
    BITMAP bitmap{};
    if (GetObjectA(source, sizeof(bitmap), &bitmap) == 0) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap.bmWidth;
    info.bmiHeader.biHeight = bitmap.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t pixelBytes =
        static_cast<size_t>(bitmap.bmWidth) * static_cast<size_t>(bitmap.bmHeight) * 4;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(pixelBytes);
    std::vector<unsigned char> packed(sizeof(BITMAPINFOHEADER) + pixelBytes);
    HDC dc = CreateCompatibleDC(nullptr);
    const int lines =
        GetDIBits(dc, static_cast<HBITMAP>(source), 0, static_cast<UINT>(bitmap.bmHeight),
                  packed.data() + sizeof(BITMAPINFOHEADER), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (lines != bitmap.bmHeight) {
        return nullptr;
    }
    std::memcpy(packed.data(), &info.bmiHeader, sizeof(BITMAPINFOHEADER));
    return NewBlock(packed.data(), packed.size());
}

HANDLE BitmapOfDib(HANDLE source) {
    const std::string packed = BlockBytes(source);
    BITMAPINFOHEADER header{};
    if (packed.size() < sizeof(header)) {
        return nullptr;
    }
    std::memcpy(&header, packed.data(), sizeof(header));
    const int height = std::abs(header.biHeight);
    if (header.biSize < sizeof(header) || header.biWidth <= 0 || height == 0 ||
        header.biWidth > 0x8000 || height > 0x8000 || header.biBitCount == 0) {
        return nullptr;
    }
    size_t colors = header.biClrUsed;
    if (colors == 0 && header.biBitCount <= 8) {
        colors = size_t{1} << header.biBitCount;
    }
    const size_t masks = header.biCompression == BI_BITFIELDS ? 12 : 0;
    const size_t offset = header.biSize + masks + colors * sizeof(RGBQUAD);
    const size_t stride = ((static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    if (packed.size() < offset || packed.size() - offset < stride * static_cast<size_t>(height)) {
        return nullptr;
    }
    // The header and colour table as one BITMAPINFO, aligned.
    std::vector<RGBQUAD> info((header.biSize + masks + colors * sizeof(RGBQUAD)) / sizeof(RGBQUAD) +
                              1);
    std::memcpy(info.data(), packed.data(), offset);
    HBITMAP bitmap = CreateBitmap(header.biWidth, height, 1, 32, nullptr);
    if (bitmap == nullptr) {
        return nullptr;
    }
    SetDIBits(nullptr, bitmap, 0, static_cast<UINT>(height), packed.data() + offset,
              reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    return bitmap;
}

HANDLE Convert(UINT format, UINT sourceFormat, HANDLE source) {
    if (format == CF_DIB) {
        return DibOfBitmap(source);
    }
    if (format == CF_BITMAP) {
        return BitmapOfDib(source);
    }
    return ConvertText(format, sourceFormat, source);
}

// A stored format with data that `format` can be made from; 0 when none.
UINT SourceFor(ClipboardState& state, UINT format) {
    for (UINT source : SourcesOf(format)) {
        const ClipboardEntry* entry = Find(state, source);
        if (entry != nullptr && !entry->converted) {
            return source;
        }
    }
    return 0;
}

// The stored formats followed by the ones they can be made into.
std::vector<UINT> AvailableFormats(ClipboardState& state) {
    std::vector<UINT> formats;
    for (const ClipboardEntry& entry : state.entries) {
        if (!entry.converted) {
            formats.push_back(entry.format);
        }
    }
    const std::vector<UINT> stored = formats;
    for (UINT format : {CF_TEXT, CF_BITMAP, CF_OEMTEXT, CF_DIB, CF_UNICODETEXT}) {
        if (std::find(stored.begin(), stored.end(), static_cast<UINT>(format)) == stored.end() &&
            SourceFor(state, format) != 0) {
            formats.push_back(format);
        }
    }
    return formats;
}

// The formats a reader would find now: while the clipboard is closed and another desktop program
// holds the desktop's clipboard, those OpenClipboard would take in from it (none when it does not
// answer); otherwise this process's own.
std::vector<UINT> FormatsNow() {
    ClipboardState& state = State();
    {
        std::lock_guard lock(state.mutex);
        if (state.open) {
            return AvailableFormats(state);
        }
    }
    // Asked without the lock, as OpenClipboard asks.
    if (DesktopClipboard* desktop = desktop_clipboard) {
        DesktopFormats offered;
        switch (desktop->ForeignFormats(offered)) {
            case DesktopHolder::kNoAnswer:
                return {};
            case DesktopHolder::kOtherProgram: {
                ClipboardState foreign;
                if (offered.text) {
                    foreign.entries.push_back(ClipboardEntry{CF_TEXT, nullptr, false});
                }
                if (offered.picture) {
                    foreign.entries.push_back(ClipboardEntry{CF_DIB, nullptr, false});
                }
                return AvailableFormats(foreign);
            }
            case DesktopHolder::kThisProcess:
                break;
        }
    }
    std::lock_guard lock(state.mutex);
    return AvailableFormats(state);
}

void EmptyLocked(ClipboardState& state) {
    for (const ClipboardEntry& entry : state.entries) {
        Release(entry);
    }
    state.entries.clear();
    state.picture_pending = false;
}

// Fetches another desktop program's picture into the CF_DIB entry that stands for it, the first
// time a reader asks for CF_DIB or a format made from it: a reader of text never waits for it.
void TakeForeignPicture(ClipboardState& state, UINT format) {
    {
        std::lock_guard lock(state.mutex);
        if (!state.picture_pending || (format != CF_DIB && SourceFor(state, format) != CF_DIB)) {
            return;
        }
        state.picture_pending = false;
    }
    DesktopClipboard* desktop = desktop_clipboard;
    const std::optional<std::string> dib =
        desktop != nullptr ? desktop->ForeignPicture() : std::nullopt;
    std::lock_guard lock(state.mutex);
    ClipboardEntry* entry = Find(state, CF_DIB);
    if (dib && !dib->empty() && entry != nullptr && entry->data == nullptr) {
        entry->data = NewBlock(dib->data(), dib->size());
    }
}

}  // namespace

bool PutClipboardText(HWND owner, std::string_view text) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool placed = false;
    if (block != nullptr) {
        char* bytes = static_cast<char*>(GlobalLock(block));
        std::memcpy(bytes, text.data(), text.size());
        bytes[text.size()] = '\0';
        GlobalUnlock(block);
        EmptyClipboard();
        placed = SetClipboardData(CF_TEXT, block) != nullptr;
        if (!placed) {
            GlobalFree(block);
        }
    }
    CloseClipboard();
    return placed;
}

std::optional<std::string> ClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(block))) {
            text.emplace(bytes, strnlen(bytes, GlobalSize(block)));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

void SetDesktopClipboard(DesktopClipboard* desktop) {
    desktop_clipboard = desktop;
}

void ResetClipboardForTesting() {
    ClipboardState& state = State();
    std::lock_guard lock(state.mutex);
    EmptyLocked(state);
    state.open = false;
    state.openThread = 0;
    state.openWindow = nullptr;
    state.owner = nullptr;
}

}  // namespace platform

using platform::ClipboardEntry;
using platform::ClipboardState;

BOOL OpenClipboard(HWND hWndNewOwner) {
    ClipboardState& state = platform::State();
    {
        std::lock_guard lock(state.mutex);
        if (state.open && state.openThread != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        state.open = true;
        state.openThread = GetCurrentThreadId();
        state.openWindow = hWndNewOwner;
        state.changed = false;
    }
    // Asked without the lock: the desktop may take a moment, and the clipboard is ours already.
    platform::DesktopClipboard* desktop = platform::desktop_clipboard;
    std::optional<std::string> text;
    platform::DesktopFormats offered;
    const platform::DesktopHolder holder = desktop != nullptr
                                               ? desktop->Foreign(text, offered)
                                               : platform::DesktopHolder::kThisProcess;
    if (holder == platform::DesktopHolder::kNoAnswer) {
        // The contents are another program's, which cannot be read now: this process's older
        // ones must not stand in for them.
        std::lock_guard lock(state.mutex);
        state.open = false;
        state.openThread = 0;
        state.openWindow = nullptr;
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (holder == platform::DesktopHolder::kOtherProgram) {
        std::lock_guard lock(state.mutex);
        platform::EmptyLocked(state);
        state.owner = nullptr;
        if (text && !text->empty()) {
            const std::string bytes = text->substr(0, text->find('\0'));
            state.entries.push_back(ClipboardEntry{
                CF_TEXT, platform::NewBlock(bytes.c_str(), bytes.size() + 1), false});
        }
        if (offered.picture) {
            state.entries.push_back(ClipboardEntry{CF_DIB, nullptr, false});
            state.picture_pending = true;
        }
    }
    return TRUE;
}

BOOL CloseClipboard() {
    ClipboardState& state = platform::State();
    bool changed = false;
    {
        std::lock_guard lock(state.mutex);
        if (!platform::OpenedHere(state)) {
            SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
            return FALSE;
        }
        changed = state.changed;
    }
    platform::DesktopClipboard* desktop = platform::desktop_clipboard;
    if (changed && desktop != nullptr) {
        // Read while still open, so that converted and delayed data is made as for any reader.
        platform::DesktopContents contents;
        if (HANDLE block = GetClipboardData(CF_TEXT)) {
            const std::string bytes = platform::BlockBytes(block);
            contents.text = bytes.substr(0, bytes.find('\0'));
        }
        // Whatever DIB a program set, the desktop gets it in one layout, made through a bitmap.
        if (IsClipboardFormatAvailable(CF_BITMAP)) {
            if (HANDLE bitmap = GetClipboardData(CF_BITMAP)) {
                if (HANDLE dib = platform::DibOfBitmap(bitmap)) {
                    contents.dib = platform::BlockBytes(dib);
                    GlobalFree(dib);
                }
            }
        }
        desktop->Offer(std::move(contents));
    }
    std::lock_guard lock(state.mutex);
    state.open = false;
    state.openThread = 0;
    state.openWindow = nullptr;
    return TRUE;
}

BOOL EmptyClipboard() {
    ClipboardState& state = platform::State();
    HWND previous = nullptr;
    {
        std::lock_guard lock(state.mutex);
        if (!platform::OpenedHere(state)) {
            SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
            return FALSE;
        }
        previous = state.owner;
    }
    if (previous != nullptr && IsWindow(previous)) {
        SendMessageA(previous, WM_DESTROYCLIPBOARD, 0, 0);
    }
    std::lock_guard lock(state.mutex);
    platform::EmptyLocked(state);
    state.owner = state.openWindow;
    state.changed = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
    ClipboardState& state = platform::State();
    std::lock_guard lock(state.mutex);
    if (!platform::OpenedHere(state)) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    if (uFormat == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // Setting a format replaces it, and whatever had been made from the old data.
    std::vector<UINT> stale{uFormat};
    for (UINT other : {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT, CF_BITMAP, CF_DIB}) {
        const auto sources = platform::SourcesOf(other);
        if (std::find(sources.begin(), sources.end(), uFormat) != sources.end()) {
            stale.push_back(other);
        }
    }
    auto& entries = state.entries;
    for (auto it = entries.begin(); it != entries.end();) {
        const bool replaced = it->format == uFormat;
        const bool derived =
            it->converted && std::find(stale.begin(), stale.end(), it->format) != stale.end();
        if ((replaced || derived) && it->data != hMem) {
            platform::Release(*it);
        }
        it = replaced || derived ? entries.erase(it) : it + 1;
    }
    entries.push_back(ClipboardEntry{uFormat, hMem, false});
    state.changed = true;
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
    ClipboardState& state = platform::State();
    {
        std::lock_guard lock(state.mutex);
        if (!platform::OpenedHere(state)) {
            SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
            return nullptr;
        }
    }
    platform::TakeForeignPicture(state, uFormat);
    HWND renderer = nullptr;
    {
        std::lock_guard lock(state.mutex);
        if (!platform::OpenedHere(state)) {
            SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
            return nullptr;
        }
        if (ClipboardEntry* entry = platform::Find(state, uFormat)) {
            if (entry->data != nullptr) {
                return entry->data;
            }
            renderer = state.owner;
        } else if (const UINT source = platform::SourceFor(state, uFormat)) {
            ClipboardEntry* from = platform::Find(state, source);
            if (from->data == nullptr) {
                return nullptr;
            }
            HANDLE made = platform::Convert(uFormat, source, from->data);
            if (made != nullptr) {
                state.entries.push_back(ClipboardEntry{uFormat, made, true});
            }
            return made;
        } else {
            return nullptr;
        }
    }
    // Delayed rendering: the owner hands the data over with SetClipboardData now.
    if (renderer == nullptr || !IsWindow(renderer)) {
        return nullptr;
    }
    SendMessageA(renderer, WM_RENDERFORMAT, uFormat, 0);
    std::lock_guard lock(state.mutex);
    const ClipboardEntry* entry = platform::Find(state, uFormat);
    return entry != nullptr ? entry->data : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    const auto formats = platform::FormatsNow();
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

int CountClipboardFormats() {
    return static_cast<int>(platform::FormatsNow().size());
}

UINT EnumClipboardFormats(UINT format) {
    ClipboardState& state = platform::State();
    std::lock_guard lock(state.mutex);
    if (!platform::OpenedHere(state)) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return 0;
    }
    const auto formats = platform::AvailableFormats(state);
    SetLastError(ERROR_SUCCESS);
    if (format == 0) {
        return formats.empty() ? 0 : formats.front();
    }
    auto found = std::find(formats.begin(), formats.end(), format);
    return found == formats.end() || found + 1 == formats.end() ? 0 : *(found + 1);
}

HWND GetClipboardOwner() {
    HWND owner = nullptr;
    {
        ClipboardState& state = platform::State();
        std::lock_guard lock(state.mutex);
        owner = state.owner;
    }
    return owner != nullptr && IsWindow(owner) ? owner : nullptr;
}

HWND GetOpenClipboardWindow() {
    ClipboardState& state = platform::State();
    std::lock_guard lock(state.mutex);
    return state.open ? state.openWindow : nullptr;
}

UINT RegisterClipboardFormatA(LPCSTR lpszFormat) {
    if (lpszFormat == nullptr || *lpszFormat == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const UINT format = RegisterWindowMessageA(lpszFormat);
    if (format != 0) {
        ClipboardState& state = platform::State();
        std::lock_guard lock(state.mutex);
        state.names.emplace(format, lpszFormat);
    }
    return format;
}

int GetClipboardFormatNameA(UINT format, LPSTR lpszFormatName, int cchMaxCount) {
    ClipboardState& state = platform::State();
    std::lock_guard lock(state.mutex);
    auto found = state.names.find(format);
    if (found == state.names.end() || lpszFormatName == nullptr || cchMaxCount <= 0) {
        return 0;
    }
    const size_t length =
        platform::CutAtCharBoundary(found->second, static_cast<size_t>(cchMaxCount) - 1);
    std::memcpy(lpszFormatName, found->second.data(), length);
    lpszFormatName[length] = '\0';
    return static_cast<int>(length);
}
