#include <gtest/gtest.h>

#include <cstring>

#include "platform/commondialogs/FileDialogApi.h"
#include "platform/commondialogs/FileFilter.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

// The browser's open filter, as the framework hands it on.
constexpr char kFilter[] =
    "HTML Files\0*.htm;*.html\0Text Files\0*.txt\0GIF Files\0*.gif\0All Files\0*.*\0";

class FileDialogTest : public testing::MappedDriveTest {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        TakeCommonDialogRequests();
        TakeShownMessageBoxes();
        Write("docs/page.htm", "<p>");
        Write("docs/notes.txt", "n");
        Write("docs/sub/deep.txt", "d");
        Write("other/x.gif", "g");
        SetCurrentDirectoryA("C:\\other");
        SetMessageBoxAnswerer([](const MessageBoxCall&) { return IDOK; });
    }
    void TearDown() override {
        SetCommonDialogAnswerer({});
        SetMessageBoxAnswerer({});
        TakeCommonDialogRequests();
        TakeShownMessageBoxes();
        ResetWindowSystemForTesting();
    }

    OPENFILENAMEA Request(DWORD flags, const char* initialDir = "C:\\docs") {
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file_;
        ofn.nMaxFile = sizeof file_;
        ofn.lpstrInitialDir = initialDir;
        ofn.Flags = flags;
        return ofn;
    }

    static void Answer(std::string path, int filterIndex = 0) {
        SetCommonDialogAnswerer([path, filterIndex](const CommonDialogRequest&) {
            return CommonDialogAnswer::Path(path, filterIndex);
        });
    }

    static std::string Current() {
        char folder[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof folder, folder);
        return folder;
    }

    char file_[MAX_PATH] = {};
};

TEST(FileFilter, ParsesPairsAndMatchesEachPattern) {
    const auto pairs = FileFilter::Parse(kFilter);
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0], (FileFilter::Pair{"HTML Files", "*.htm;*.html"}));
    EXPECT_EQ(pairs[3], (FileFilter::Pair{"All Files", "*.*"}));
    // A description without patterns ends the list.
    EXPECT_EQ(FileFilter::Parse("Text\0*.txt\0Dangling\0").size(), 1u);
    EXPECT_TRUE(FileFilter::Parse(nullptr).empty());
    EXPECT_TRUE(FileFilter::Parse("").empty());

    EXPECT_EQ(FileFilter::Patterns(" *.jpg ;;*.jpeg;"),
              (std::vector<std::string>{"*.jpg", "*.jpeg"}));
    EXPECT_TRUE(FileFilter::Matches("*.htm;*.html", "INDEX.HTML"));
    EXPECT_TRUE(FileFilter::Matches("*.htm;*.html", "a.htm"));
    EXPECT_FALSE(FileFilter::Matches("*.htm;*.html", "a.htmx"));
    EXPECT_TRUE(FileFilter::Matches("*.*", "README"));
    EXPECT_TRUE(FileFilter::Matches("*.txt", "中文.txt"));
    EXPECT_FALSE(FileFilter::Matches("", "a.txt"));
}

TEST_F(FileDialogTest, AnAnsweredOpenStoresThePathItsPartsAndTheFolder) {
    Answer("page.htm", 4);
    OPENFILENAMEA ofn = Request(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
    char title[32] = {};
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(file_, "C:\\docs\\page.htm");
    EXPECT_STREQ(title, "page.htm");
    EXPECT_EQ(ofn.nFileOffset, 8);
    EXPECT_EQ(ofn.nFileExtension, 13);
    EXPECT_EQ(ofn.nFilterIndex, 4u);
    // Without OFN_NOCHANGEDIR the chosen file's folder becomes current.
    EXPECT_EQ(Current(), "C:\\docs");

    const auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, CommonDialogKind::Open);
    EXPECT_EQ(requests[0].title, "打开");
    EXPECT_EQ(requests[0].initialFolder, "C:\\docs");
    EXPECT_EQ(requests[0].fileName, "");
    EXPECT_EQ(requests[0].filterIndex, 1);
    EXPECT_EQ(requests[0].flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST));
    ASSERT_EQ(requests[0].filter.size(), 4u);
    EXPECT_EQ(requests[0].filter[1].first, "Text Files");
    EXPECT_EQ(requests[0].filter[1].second, "*.txt");
    EXPECT_TRUE(TakeShownMessageBoxes().empty());
}

TEST_F(FileDialogTest, NoChangeDirKeepsTheCurrentFolder) {
    Answer("C:\\docs\\sub\\deep.txt");
    OPENFILENAMEA ofn = Request(OFN_NOCHANGEDIR);
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\sub\\deep.txt");
    EXPECT_EQ(ofn.nFileOffset, 12);
    EXPECT_EQ(Current(), "C:\\other");
}

TEST_F(FileDialogTest, TheDialogOpensWhereTheRequestSays) {
    Answer("x");
    // A folder in lpstrFile wins over lpstrInitialDir, and its name is proposed.
    std::strcpy(file_, "C:\\docs\\sub\\new.txt");
    OPENFILENAMEA ofn = Request(OFN_NOCHANGEDIR);
    GetOpenFileNameA(&ofn);
    // A missing initial folder falls back to the current one.
    std::strcpy(file_, "");
    ofn = Request(0, "C:\\missing");
    GetOpenFileNameA(&ofn);
    // lpstrTitle names the dialog.
    ofn = Request(0, nullptr);
    ofn.lpstrTitle = "选择文件";
    GetSaveFileNameA(&ofn);

    const auto requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].initialFolder, "C:\\docs\\sub");
    EXPECT_EQ(requests[0].fileName, "new.txt");
    EXPECT_EQ(requests[1].initialFolder, "C:\\other");
    EXPECT_EQ(requests[2].kind, CommonDialogKind::Save);
    EXPECT_EQ(requests[2].title, "选择文件");
}

TEST_F(FileDialogTest, ATooSmallBufferFailsWithTheSizeNeeded) {
    Answer("page.htm");
    char small[10];
    std::memset(small, 'x', sizeof small);
    OPENFILENAMEA ofn = Request(0);
    ofn.lpstrFile = small;
    ofn.nMaxFile = sizeof small;
    small[0] = '\0';
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof needed);
    EXPECT_EQ(needed, 17);  // "C:\docs\page.htm" and its NUL
    EXPECT_EQ(Current(), "C:\\other");

    // The path and its NUL fit exactly.
    char exact[17] = {};
    ofn.lpstrFile = exact;
    ofn.nMaxFile = sizeof exact;
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(exact, "C:\\docs\\page.htm");
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogTest, BadRequestsFailBeforeAsking) {
    Answer("page.htm");
    OPENFILENAMEA ofn = Request(0);
    ofn.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    ofn = Request(0);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    ofn = Request(0);
    ofn.lpstrFile = nullptr;
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
    EXPECT_FALSE(GetOpenFileNameA(nullptr));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    EXPECT_EQ(TakeCommonDialogRequests().size(), 1u);
}

TEST_F(FileDialogTest, ACancelFailsWithoutAnErrorAndLeavesTheBuffer) {
    SetCommonDialogAnswerer(
        [](const CommonDialogRequest&) { return CommonDialogAnswer::Cancel(); });
    std::strcpy(file_, "keep.txt");
    OPENFILENAMEA ofn = Request(0);
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(file_, "keep.txt");
    EXPECT_EQ(Current(), "C:\\other");
}

TEST_F(FileDialogTest, MissingFilesAndFoldersAreRefusedWithABox) {
    Answer("gone.htm");
    OPENFILENAMEA ofn = Request(OFN_FILEMUSTEXIST);
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    Answer("nowhere\\a.txt");
    ofn = Request(OFN_PATHMUSTEXIST);
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    // Without the flags a new name is fine.
    Answer("gone.htm");
    ofn = Request(0);
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\gone.htm");
    // A folder is not a file.
    Answer("sub");
    ofn = Request(0);
    EXPECT_FALSE(GetOpenFileNameA(&ofn));

    const auto boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "C:\\docs\\gone.htm\n找不到文件。\n请检查文件名是否正确。");
    EXPECT_EQ(boxes[0].caption, "打开");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[1].text, "C:\\docs\\nowhere\n路径不存在。\n请检查路径是否正确。");
    EXPECT_EQ(boxes[1].caption, "另存为");
}

TEST_F(FileDialogTest, OverwritingAsksFirst) {
    Answer("notes.txt");
    int answer = IDNO;
    SetMessageBoxAnswerer([&](const MessageBoxCall&) { return answer; });
    OPENFILENAMEA ofn = Request(OFN_OVERWRITEPROMPT);
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file_, "");
    answer = IDYES;
    EXPECT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\notes.txt");
    // Opening never asks.
    ofn = Request(OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    // A new name does not ask either.
    Answer("fresh.txt");
    ofn = Request(OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(GetSaveFileNameA(&ofn));

    const auto boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "C:\\docs\\notes.txt 已存在。\n要替换它吗？");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[0].result, IDNO);
    EXPECT_EQ(boxes[1].result, IDYES);
}

TEST_F(FileDialogTest, TheDefaultExtensionIsAddedToABareName) {
    OPENFILENAMEA ofn = Request(0);
    ofn.lpstrDefExt = "txt";
    Answer("report");
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\report.txt");
    EXPECT_EQ(ofn.nFileExtension, 15);
    Answer("report.htm");
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\report.htm");
    // Without a default a bare name has its extension offset at the end, and a name ending in
    // '.' has none.
    ofn.lpstrDefExt = nullptr;
    Answer("C:\\docs\\bare");
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(ofn.nFileExtension, 12);
    EXPECT_EQ(file_[ofn.nFileExtension], '\0');
    Answer("C:\\docs\\dot.");
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(ofn.nFileExtension, 0);
}

TEST_F(FileDialogTest, GbkNamesKeepTheirSecondBytes) {
    // 乗 is 0x81 0x5C in GBK: its second byte is no separator.
    Write("docs/\xE4\xB9\x97.txt", "x");
    Answer("\x81\x5C.txt");
    OPENFILENAMEA ofn = Request(OFN_FILEMUSTEXIST);
    ASSERT_TRUE(GetOpenFileNameA(&ofn)) << TakeShownMessageBoxes().size();
    EXPECT_STREQ(file_, "C:\\docs\\\x81\x5C.txt");
    EXPECT_EQ(ofn.nFileOffset, 8);
    EXPECT_EQ(ofn.nFileExtension, 11);
}

}  // namespace
}  // namespace platform
