#include "platform/controls/Clipboard.h"

#include <cstring>
#include <thread>

#include "platform/base/GlobalMemory.h"
#include "platform/drawing/Gdi.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

HGLOBAL TextBlock(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

std::string BytesOf(HANDLE block) {
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    std::string copy(bytes, GlobalSize(block));
    GlobalUnlock(block);
    return copy;
}

class ClipboardTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ResetClipboardForTesting();
        blocks_ = GlobalBlockCount();
    }
    void TearDown() override {
        ResetClipboardForTesting();
        // Whatever the clipboard held or made is gone with it.
        EXPECT_EQ(GlobalBlockCount(), blocks_);
        WindowTest::TearDown();
    }
    std::vector<UINT> Formats() {
        std::vector<UINT> formats;
        for (UINT format = EnumClipboardFormats(0); format != 0;
             format = EnumClipboardFormats(format)) {
            formats.push_back(format);
        }
        return formats;
    }
    size_t blocks_ = 0;
};

TEST_F(ClipboardTest, TextHandedOverBelongsToTheClipboard) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL text = TextBlock("复制词条\r\nfù zhì");
    EXPECT_EQ(SetClipboardData(CF_TEXT, text), text);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(CountClipboardFormats(), 3);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_TEXT), text);
    EXPECT_EQ(BytesOf(text), std::string("复制词条\r\nfù zhì") + '\0');
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    const std::u16string expected = u"复制词条\r\nfù zhì";
    EXPECT_EQ(GlobalSize(wide), (expected.size() + 1) * 2);
    EXPECT_EQ(std::memcmp(GlobalLock(wide), expected.c_str(), (expected.size() + 1) * 2), 0);
    GlobalUnlock(wide);
    EXPECT_EQ(Formats(), (std::vector<UINT>{CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT}));

    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalSize(text), 0u);
    EXPECT_EQ(GlobalSize(wide), 0u);
    EXPECT_EQ(CountClipboardFormats(), 0);
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
    CloseClipboard();
}

TEST_F(ClipboardTest, UnicodeTextBecomesGbk) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::u16string wide = u"成语";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * 2);
    std::memcpy(GlobalLock(block), wide.c_str(), (wide.size() + 1) * 2);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    HANDLE narrow = GetClipboardData(CF_TEXT);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(BytesOf(narrow), std::string("\xB3\xC9\xD3\xEF", 5));
    // A new CF_UNICODETEXT replaces the copy made from the old one.
    SetClipboardData(CF_UNICODETEXT, TextBlock(std::string("a\0b\0\0\0", 6)));
    EXPECT_EQ(BytesOf(GetClipboardData(CF_TEXT)), std::string("ab", 3));
    CloseClipboard();
}

TEST_F(ClipboardTest, EverythingNeedsTheClipboardOpenByThisThread) {
    HGLOBAL text = TextBlock("x");
    SetLastError(0);
    EXPECT_EQ(SetClipboardData(CF_TEXT, text), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));

    ASSERT_TRUE(OpenClipboard(nullptr));
    BOOL opened = TRUE;
    BOOL closed = TRUE;
    std::thread other([&] {
        opened = OpenClipboard(nullptr);
        closed = CloseClipboard();
    });
    other.join();
    EXPECT_FALSE(opened);
    EXPECT_FALSE(closed);
    ASSERT_TRUE(CloseClipboard());
    std::thread later([&] {
        opened = OpenClipboard(nullptr);
        closed = CloseClipboard();
    });
    later.join();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(closed);
    GlobalFree(text);
}

TEST_F(ClipboardTest, EmptyingMakesTheOpenerTheOwnerAndTellsThePreviousOne) {
    HWND first = TopLevel();
    HWND second = TopLevel();
    ASSERT_TRUE(OpenClipboard(first));
    EXPECT_EQ(GetOpenClipboardWindow(), first);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(GetClipboardOwner(), first);
    EXPECT_TRUE(Log().Of(WM_DESTROYCLIPBOARD).empty());

    ASSERT_TRUE(OpenClipboard(second));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(GetClipboardOwner(), second);
    const auto told = Log().Of(WM_DESTROYCLIPBOARD);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].hwnd, first);
    DestroyWindow(second);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
}

TEST_F(ClipboardTest, BitmapIsDeletedByTheClipboardAndReadableAsDib) {
    const DWORD pixels[6] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 0, 0x00808080};
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, pixels);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    EXPECT_EQ(SetClipboardData(CF_BITMAP, bitmap), bitmap);
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const std::string packed = BytesOf(dib);
    ASSERT_EQ(packed.size(), sizeof(BITMAPINFOHEADER) + 24);
    BITMAPINFOHEADER header{};
    std::memcpy(&header, packed.data(), sizeof(header));
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biHeight, 2);
    EXPECT_EQ(header.biBitCount, 32);
    DWORD first = 0;
    // Bottom-up rows: the top row of the bitmap comes last.
    std::memcpy(&first, packed.data() + sizeof(header) + 12, 4);
    EXPECT_EQ(first & 0xFFFFFF, 0x00FF0000u);

    EmptyClipboard();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    CloseClipboard();
}

TEST_F(ClipboardTest, DibIsReadableAsBitmap) {
    std::string packed(sizeof(BITMAPINFOHEADER) + 8, '\0');
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 2, 1, 1, 32, BI_RGB, 8, 0, 0, 0, 0};
    std::memcpy(packed.data(), &header, sizeof(header));
    const DWORD row[2] = {0x000000FF, 0x0000FF00};
    std::memcpy(packed.data() + sizeof(header), row, sizeof(row));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, packed.size());
    std::memcpy(GlobalLock(block), packed.data(), packed.size());
    GlobalUnlock(block);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectA(bitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 1);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    EmptyClipboard();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    CloseClipboard();
}

TEST_F(ClipboardTest, SettingAFormatAgainFreesTheOldData) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL old = TextBlock("old");
    SetClipboardData(CF_TEXT, old);
    HGLOBAL fresh = TextBlock("new");
    SetClipboardData(CF_TEXT, fresh);
    EXPECT_EQ(GlobalSize(old), 0u);
    EXPECT_EQ(GetClipboardData(CF_TEXT), fresh);
    CloseClipboard();
}

TEST_F(ClipboardTest, NullDataIsRenderedByTheOwnerOnDemand) {
    HWND owner = TopLevel();
    Log().Answer(WM_RENDERFORMAT, [](HWND, WPARAM format, LPARAM) {
        SetClipboardData(static_cast<UINT>(format), TextBlock("late"));
        return LRESULT{0};
    });
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(Log().Of(WM_RENDERFORMAT).empty());

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(BytesOf(text), std::string("late", 5));
    EXPECT_EQ(Log().Of(WM_RENDERFORMAT).size(), 1u);
    CloseClipboard();
}

// A desktop whose clipboard another program may hold.
class TestDesktop : public DesktopClipboard {
public:
    void Offer(DesktopContents contents) override { offers.push_back(std::move(contents)); }
    DesktopHolder Foreign(std::optional<std::string>& text, DesktopFormats& formats) override {
        if (held) {
            text = held->text;
        }
        return ForeignFormats(formats);
    }
    std::optional<std::string> ForeignPicture() override {
        ++pictures_fetched;
        return held ? held->dib : std::nullopt;
    }
    DesktopHolder ForeignFormats(DesktopFormats& formats) override {
        if (held) {
            formats = DesktopFormats{held->text.has_value(), held->dib.has_value()};
        }
        return answered ? (held ? DesktopHolder::kOtherProgram : DesktopHolder::kThisProcess)
                        : DesktopHolder::kNoAnswer;
    }

    std::vector<DesktopContents> offers;
    std::optional<DesktopContents> held;
    bool answered = true;
    int pictures_fetched = 0;
};

// A packed DIB of `width` x 1 pixels at `bits` bits, each pixel's bytes blue, green, red (and an
// unused one at 32 bits).
std::string DibRow(int width, const std::string& pixels, WORD bits = 24) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>((width * bits / 8 + 3) / 4 * 4);
    std::string packed(reinterpret_cast<const char*>(&header), sizeof(header));
    packed += pixels;
    packed.resize(sizeof(header) + header.biSizeImage, '\0');
    return packed;
}

TEST_F(ClipboardTest, TextAndPicturesCrossTheDesktopClipboardBothWays) {
    TestDesktop desktop;
    SetDesktopClipboard(&desktop);
    HWND owner = TopLevel();
    // Unicode text is offered as GBK once the clipboard closes, with no picture; a look that
    // changes nothing offers nothing.
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const char16_t wide[] = u"中文 ok";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(wide));
    std::memcpy(GlobalLock(block), wide, sizeof(wide));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    EXPECT_TRUE(desktop.offers.empty());
    CloseClipboard();
    ASSERT_TRUE(OpenClipboard(owner));
    CloseClipboard();
    ASSERT_EQ(desktop.offers.size(), 1u);
    EXPECT_EQ(desktop.offers[0].text, std::optional<std::string>("中文 ok"));
    EXPECT_EQ(desktop.offers[0].dib, std::nullopt);

    // A 24-bit DIB leaves as 32-bit pixels, bottom-up, without text.
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::string row = DibRow(2, std::string("\x10\x20\x30\x40\x50\x60", 6));
    SetClipboardData(CF_DIB, TextBlock(row));  // The NUL after it is slack.
    CloseClipboard();
    ASSERT_EQ(desktop.offers.size(), 2u);
    EXPECT_EQ(desktop.offers[1].text, std::nullopt);
    ASSERT_TRUE(desktop.offers[1].dib);
    EXPECT_EQ(*desktop.offers[1].dib,
              DibRow(2, std::string("\x10\x20\x30\0\x40\x50\x60\0", 8), 32));

    // Another program's text and picture replace ours, owned by no window, and convert like any;
    // the formats are known before the clipboard is opened.
    desktop.held = DesktopContents{"别处\\x", DibRow(1, std::string("\x01\x02\x03\0", 4), 32)};
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(CountClipboardFormats(), 5);
    desktop.held->dib.reset();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    desktop.held->dib = DibRow(1, std::string("\x01\x02\x03\0", 4), 32);
    ASSERT_TRUE(OpenClipboard(owner));
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_EQ(Formats(),
              (std::vector<UINT>{CF_TEXT, CF_DIB, CF_BITMAP, CF_OEMTEXT, CF_UNICODETEXT}));
    EXPECT_EQ(BytesOf(GetClipboardData(CF_TEXT)), std::string("别处\\x", 7));
    const auto* unicode =
        static_cast<const char16_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(std::u16string(unicode), u"别处\\x");
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    // The picture is fetched once, when a format made from it is first read.
    EXPECT_EQ(desktop.pictures_fetched, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetClipboardData(CF_BITMAP));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(3, 2, 1));
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_NE(GetClipboardData(CF_DIB), nullptr);
    EXPECT_EQ(desktop.pictures_fetched, 1);
    CloseClipboard();
    EXPECT_EQ(desktop.offers.size(), 2u);

    // A holder that does not answer leaves the clipboard closed, not ours to read.
    desktop.answered = false;
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(CountClipboardFormats(), 0);
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(owner));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_FALSE(CloseClipboard());
    desktop.answered = true;

    // A program that holds neither leaves an empty clipboard; emptying offers nothing.
    desktop.held = DesktopContents{};
    ASSERT_TRUE(OpenClipboard(owner));
    EXPECT_TRUE(Formats().empty());
    EmptyClipboard();
    CloseClipboard();
    ASSERT_EQ(desktop.offers.size(), 3u);
    EXPECT_EQ(desktop.offers[2].text, std::nullopt);
    EXPECT_EQ(desktop.offers[2].dib, std::nullopt);
    SetDesktopClipboard(nullptr);
}

TEST_F(ClipboardTest, RegisteredFormatsShareTheMessageAtoms) {
    const UINT format = RegisterClipboardFormatA("HTML Format");
    EXPECT_GE(format, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormatA("html format"), format);
    EXPECT_EQ(RegisterWindowMessageA("HTML Format"), format);
    EXPECT_EQ(RegisterClipboardFormatA(""), 0u);
    char name[6] = {};
    EXPECT_EQ(GetClipboardFormatNameA(format, name, sizeof(name)), 5);
    EXPECT_STREQ(name, "HTML ");
    EXPECT_EQ(GetClipboardFormatNameA(CF_TEXT, name, sizeof(name)), 0);
}

}  // namespace
}  // namespace platform::testing
