#include "picture/SectionedFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "browser/BrowserDataStore.h"
#include "browser/SkinColors.h"
#include "picture/ExtractTemplate.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

class SectionedFileTest : public ::testing::Test {
protected:
    SectionedFileTest() { platform::MapDrive('C', folder_.path()); }
    ~SectionedFileTest() override { platform::UnmapDrive('C'); }

    void Load(const std::string& text) {
        folder_.WriteFile("ms.dat", text);
        file_.Load("C:\\ms.dat");
    }

    platform::testing::TempFolder folder_;
    CSectionedFile file_;
};

TEST_F(SectionedFileTest, CodeEntriesAndDataBlocksAreReadAmongOtherLines) {
    Load(
        "// counts\r\n2\r\n4\r\nignored\r\n"
        "[CODE_BEGIN] main x\r\n2\r\nfirst\r\n// hidden\r\nsecond\r\nthird\r\n[CODE_END]\r\n"
        "[DATA_BEGIN]\r\nx 101 4142\r\nodd 101 414\r\nwords 7 two words\r\nbare\r\n"
        "[DATA_END]\r\n"
        "[CODE_BEGIN] MAIN\r\n1\r\nbody\r\n[CODE_END]\r\n");
    ASSERT_EQ(file_.GetCodeEntryCount(), 2);
    const CCodeEntry& first = file_.GetCodeEntries()[0];
    EXPECT_EQ(first.m_strName, "main");
    EXPECT_EQ(first.m_pOwner, &file_);
    // Two body lines were announced: the third is read and dropped.
    ASSERT_EQ(first.m_lines.size(), 2u);
    EXPECT_EQ(first.m_lines[0], "first");
    EXPECT_EQ(first.m_lines[1], "second");
    EXPECT_EQ(file_.GetMainEntry(), &file_.GetCodeEntries()[1]);

    ASSERT_EQ(file_.GetDataEntryCount(), 4);
    EXPECT_EQ(file_.FindBlock("X")->m_strValue, "AB");
    EXPECT_EQ(file_.FindBlock("odd")->m_strValue, "");
    EXPECT_EQ(file_.FindBlock("odd")->m_nType, 101);
    EXPECT_EQ(file_.FindBlock("words")->m_strValue, "two words");
    EXPECT_EQ(file_.FindBlock("words")->m_nType, 7);
    EXPECT_EQ(file_.FindBlock("bare")->m_strValue, "");
    EXPECT_EQ(file_.FindBlock("bare")->m_nType, 0);
    EXPECT_EQ(file_.FindBlock("missing"), nullptr);
}

TEST_F(SectionedFileTest, ALineWithoutASecondBlankIsAllValueAndTheFirstOfTwoNamesWins) {
    Load("0\r\n3\r\n[DATA_BEGIN]\r\nName first\r\nname second\r\n.网址 1 http://a/b c\r\n");
    EXPECT_EQ(file_.FindBlock("NAME")->m_strValue, "first");
    EXPECT_EQ(file_.FindBlock(".网址")->m_strValue, "http://a/b c");
    EXPECT_EQ(file_.FindBlock(".网址")->m_nType, 1);
}

TEST_F(SectionedFileTest, HexValuesTakeEitherCaseAndRefuseOtherCharacters) {
    EXPECT_EQ(CDataEntry::DecodeHex("c4e3bac3"), "你好");
    EXPECT_EQ(CDataEntry::DecodeHex("C4E3"), "你");
    EXPECT_EQ(CDataEntry::DecodeHex("4g"), "");
    EXPECT_EQ(CDataEntry::DecodeHex(""), "");
}

// Counts come from the file: hostile ones must not make the loader allocate what the file cannot
// hold, and a file cut short keeps what was whole.
TEST_F(SectionedFileTest, CountsBeyondTheFileAreHeldToItsLines) {
    Load(
        "2147483648\r\n-5\r\n[CODE_BEGIN] a\r\n2147483647\r\nx\r\n[CODE_END]\r\n"
        "[DATA_BEGIN]\r\nd 0 v\r\n[DATA_END]\r\n");
    ASSERT_EQ(file_.GetCodeEntryCount(), 1);
    EXPECT_LE(file_.GetCodeEntries().size(), 9u);
    EXPECT_LE(file_.GetCodeEntries()[0].m_lines.size(), 9u);
    EXPECT_EQ(file_.GetCodeEntries()[0].m_lines[0], "x");
    EXPECT_EQ(file_.GetDataEntryCount(), 0);

    Load("1\r\n2\r\n[DATA_BEGIN]\r\nkept 0 yes\r\ncut 101 41");
    EXPECT_EQ(file_.GetDataEntryCount(), 2);
    EXPECT_EQ(file_.FindBlock("kept")->m_strValue, "yes");
    EXPECT_EQ(file_.FindBlock("cut")->m_strValue, "A");

    Load("3");
    EXPECT_EQ(file_.GetCodeEntryCount(), 0);
    file_.Load("C:\\missing.dat");
    EXPECT_EQ(file_.GetCodeEntries().size(), 0u);
    EXPECT_EQ(file_.GetMainEntry(), nullptr);
}

TEST_F(SectionedFileTest, TheTemplateCopiesItsNamedEntriesIntoTheirMarkers) {
    Load("");
    folder_.WriteFile("data/ms.dat",
                      "0\r\n4\r\n[DATA_BEGIN]\r\n.imageaurlbegin 0 href=\"\r\n"
                      ".MP_OBJECT 101 3c6f626a\r\n.必需图片标志 0 .jpg\r\n.other 0 x\r\n"
                      "[DATA_END]\r\n");
    CExtractTemplate markers;
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA("C:\\");
    markers.Load();
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(markers.GetMarker(34), "href=\"");
    EXPECT_EQ(markers.GetMarker(25), "<obj");
    EXPECT_EQ(markers.GetMarker(8), ".jpg");
    EXPECT_EQ(markers.GetMarker(9), "");
    EXPECT_EQ(markers.GetMarker(3), "");
    markers.Release();
    EXPECT_EQ(markers.GetFile().GetDataEntryCount(), 0);
    EXPECT_EQ(markers.GetMarker(34), "href=\"");
}

TEST_F(SectionedFileTest, TheNewsPageFollowsTheNewsOptionAndTheSkinColours) {
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA("C:\\");
    folder_.WriteFile("data/.keep", "");
    Skin().newsBackground = RGB(0x12, 0xAB, 0x03);
    Skin().newsText = RGB(255, 0, 16);
    DataStore().newsOff = 1;
    EXPECT_EQ(NewsList().WriteNewsList(), 1);
    const std::string off = folder_.ReadFile("data/result.htm");
    DataStore().newsOff = 0;
    NewsList().WriteNewsList();
    const std::string on = folder_.ReadFile("data/result.htm");
    // Without its folder the page cannot be written, and the writer says so.
    std::filesystem::remove_all(folder_.path() / "data");
    const int failed = NewsList().WriteNewsList();
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(off,
              "<html><head><title>quorra list</title> <meta http-equiv=\"Content-Type\" "
              "content=\"text/html; charset=gb2312\"></head><body bgcolor=#12AB03 scroll=no "
              "oncontextmenu=\"return false\" onselectstart=\"return false\"  "
              "STYLE=\"BORDER:0;font-size:12px;MARGIN-top:2PX;BORDER-TOP:0PX SOLID GRAY\"> "
              "<center><font color=#FF0010>滚动新闻功能己禁止</font></center></body>");
    EXPECT_NE(on.find("滚动新闻功能己启动"), std::string::npos);
}

}  // namespace
