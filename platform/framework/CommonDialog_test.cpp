#include <gtest/gtest.h>

#include <cstring>

#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/FontDialog.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

constexpr char kBrowserFilter[] =
    "HTML Files|*.htm;*.html|Text Files|*.txt|GIF Files|*.gif|JPEG Files|*.jpg;*.jpeg|AU "
    "Files|*.au|AIFF Files|*.aif;*.aiff|XBM Files|*.xbm|All Files|*.*||";

class CommonDialogClassTest : public testing::MappedDriveTest {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        TakeCommonDialogRequests();
        Write("docs/page.htm", "<p>");
        SetCurrentDirectoryA("C:\\docs");
    }
    void TearDown() override {
        SetCommonDialogAnswerer({});
        TakeCommonDialogRequests();
        ResetWindowSystemForTesting();
    }
};

TEST_F(CommonDialogClassTest, TheFileDialogTurnsTheFilterIntoPairsAndReadsTheChoice) {
    SetCommonDialogAnswerer(
        [](const CommonDialogRequest&) { return CommonDialogAnswer::Path("page.htm", 1); });
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kBrowserFilter);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "C:\\docs\\page.htm");
    EXPECT_EQ(dialog.GetFileName(), "page.htm");
    EXPECT_EQ(dialog.GetFileExt(), "htm");
    EXPECT_EQ(dialog.GetFileTitle(), "page");

    const auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, CommonDialogKind::Open);
    EXPECT_EQ(requests[0].flags, static_cast<DWORD>(OFN_HIDEREADONLY));
    ASSERT_EQ(requests[0].filter.size(), 8u);
    EXPECT_EQ(requests[0].filter[0].first, "HTML Files");
    EXPECT_EQ(requests[0].filter[0].second, "*.htm;*.html");
    EXPECT_EQ(requests[0].filter[4].first, "AU Files");
    EXPECT_EQ(requests[0].filter[7].second, "*.*");
}

TEST_F(CommonDialogClassTest, SaveDefaultsExtensionsAndCancel) {
    SetCommonDialogAnswerer(
        [](const CommonDialogRequest&) { return CommonDialogAnswer::Path("report"); });
    // A '|' that is the second byte of a GBK character (0x81 0x7C) is no separator.
    CFileDialog save(FALSE, "txt", "start.txt", OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR,
                     "Text\x81||\x81|*.txt||");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "C:\\docs\\report.txt");
    EXPECT_EQ(save.GetFileTitle(), "report");
    auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, CommonDialogKind::Save);
    EXPECT_EQ(requests[0].fileName, "start.txt");
    ASSERT_EQ(requests[0].filter.size(), 1u);
    EXPECT_EQ(requests[0].filter[0].first, "Text\x81|");
    EXPECT_EQ(requests[0].filter[0].second, "\x81|*.txt");

    SetCommonDialogAnswerer(
        [](const CommonDialogRequest&) { return CommonDialogAnswer::Path("C:\\docs\\bare"); });
    CFileDialog bare(FALSE, nullptr, nullptr, OFN_NOCHANGEDIR);
    ASSERT_EQ(bare.DoModal(), IDOK);
    EXPECT_EQ(bare.GetFileExt(), "");
    EXPECT_EQ(bare.GetFileTitle(), "bare");

    SetCommonDialogAnswerer(
        [](const CommonDialogRequest&) { return CommonDialogAnswer::Cancel(); });
    CFileDialog cancelled(TRUE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName(), "");
}

TEST_F(CommonDialogClassTest, TheFontDialogStartsFromTheGivenFontAndReportsTheChoice) {
    SetCommonDialogAnswerer([](const CommonDialogRequest&) {
        CommonDialogAnswer answer =
            CommonDialogAnswer::Font("黑体", 14, 700, false, RGB(0, 0, 255));
        answer.font.lfUnderline = 1;
        return answer;
    });
    LOGFONTA initial{};
    initial.lfHeight = -12;
    std::strcpy(initial.lfFaceName, "楷体_GB2312");
    CFontDialog dialog(&initial, CF_SCREENFONTS | CF_EFFECTS);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetFaceName(), "黑体");
    EXPECT_EQ(dialog.GetSize(), 140);
    EXPECT_EQ(dialog.GetColor(), RGB(0, 0, 255));
    EXPECT_TRUE(dialog.IsBold());
    EXPECT_FALSE(dialog.IsItalic());
    EXPECT_TRUE(dialog.IsUnderline());
    EXPECT_FALSE(dialog.IsStrikeOut());
    LOGFONTA chosen{};
    dialog.GetCurrentFont(&chosen);
    EXPECT_EQ(chosen.lfHeight, -19);

    const auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].flags,
              static_cast<DWORD>(CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT));
    EXPECT_STREQ(requests[0].font.lfFaceName, "楷体_GB2312");

    SetCommonDialogAnswerer(
        [](const CommonDialogRequest&) { return CommonDialogAnswer::Cancel(); });
    CFontDialog plain;
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
    EXPECT_EQ(plain.m_cf.Flags, static_cast<DWORD>(CF_EFFECTS | CF_SCREENFONTS));
}

}  // namespace
}  // namespace platform
