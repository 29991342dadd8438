#include "common/TextLineFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

class TextLineFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::MapDrive('C', folder_.path()); }
    void TearDown() override { platform::UnmapDrive('C'); }

    // Writes `bytes` as C:\<name> and returns that Windows path.
    std::string Write(const std::string& name, const std::string& bytes) {
        folder_.WriteFile(name, bytes);
        return "C:\\" + name;
    }

    // Every line ReadLine hands out, in order.
    static std::vector<std::string> AllLines(CTextLineFile& file) {
        std::vector<std::string> lines;
        char line[64];
        while (file.ReadLine(line) == 0) {
            lines.emplace_back(line);
        }
        return lines;
    }

    platform::testing::TempFolder folder_;
};

using Lines = std::vector<std::string>;

TEST_F(TextLineFileTest, OpenReportsMissingFileAndEmptyFile) {
    CTextLineFile file;
    EXPECT_EQ(file.Open("C:\\missing.txt"), 1);
    char line[8] = "x";
    EXPECT_EQ(file.ReadLine(line), 1);

    EXPECT_EQ(file.Open(Write("empty.txt", "").c_str()), 0);
    EXPECT_EQ(file.ReadLine(line), 1);
}

TEST_F(TextLineFileTest, LineEndsAndBlankLines) {
    CTextLineFile file;
    ASSERT_EQ(file.Open(Write("a.txt", "x\r\n\r\n\r\ny").c_str()), 0);
    EXPECT_EQ(AllLines(file), (Lines{"x", "y"}));

    ASSERT_EQ(file.Open(Write("b.txt", "\r\nx").c_str()), 0);
    EXPECT_EQ(AllLines(file), (Lines{"", "x"}));

    ASSERT_EQ(file.Open(Write("c.txt", "w\nx\r\ny\rz").c_str()), 0);
    EXPECT_EQ(AllLines(file), (Lines{"w", "x", "y", "z"}));

    ASSERT_EQ(file.Open(Write("d.txt", "last line\r\n").c_str()), 0);
    EXPECT_EQ(AllLines(file), (Lines{"last line"}));
}

// A damaged file keeps every line after a NUL: the NUL ends only the line it stands in.
TEST_F(TextLineFileTest, NulByteEndsOnlyItsLine) {
    CTextLineFile file;
    ASSERT_EQ(file.Open(Write("nul.txt", std::string("ab\0cd\r\n\0\0ef\r\n//x\0\0", 17)).c_str()),
              0);
    EXPECT_EQ(AllLines(file), (Lines{"ab", "cd", "ef", "//x"}));
    file.Rewind();
    char line[8];
    ASSERT_EQ(file.FindLine("EF", line), 0);
    EXPECT_EQ(file.ReadValueLine(line), 1);
}

TEST_F(TextLineFileTest, LongLineIsCutToTheBufferAndItsRestSkipped) {
    CTextLineFile file;
    ASSERT_EQ(file.Open(Write("long.txt", "abcdefghij\r\nk").c_str()), 0);
    char line[5];
    std::memset(line, '#', sizeof line);
    ASSERT_EQ(file.ReadLine(line, 4), 0);
    EXPECT_STREQ(line, "abc");
    EXPECT_EQ(line[4], '#');
    ASSERT_EQ(file.ReadLine(line, 4), 0);
    EXPECT_STREQ(line, "k");
}

TEST_F(TextLineFileTest, ValueLinesSkipOnlyDoubleSlashComments) {
    CTextLineFile file;
    ASSERT_EQ(file.Open(Write("v.txt", "//x\r\n/y\r\n//\r\nz\r\n").c_str()), 0);
    char line[16];
    ASSERT_EQ(file.ReadValueLine(line), 0);
    EXPECT_STREQ(line, "/y");
    ASSERT_EQ(file.ReadValueLine(line), 0);
    EXPECT_STREQ(line, "z");
    EXPECT_EQ(file.ReadValueLine(line), 1);
}

TEST_F(TextLineFileTest, CommentIsJudgedByTheLineNotByTheBuffer) {
    CTextLineFile file;
    ASSERT_EQ(file.Open(Write("c.txt", "//comment\r\nvalue").c_str()), 0);
    char line[2];
    ASSERT_EQ(file.ReadValueLine(line, sizeof line), 0);
    EXPECT_STREQ(line, "v");
}

TEST_F(TextLineFileTest, FindLineMatchesPrefixIgnoringCaseAndOnlyGoesForward) {
    const std::string path =
        Write("skin.ini", "[STYLE]\r\nblue\r\n[TEXT_COLOR]x\r\nRGB(1,2,3)\r\n");
    CTextLineFile file;
    ASSERT_EQ(file.Open(path.c_str()), 0);
    char line[32];
    ASSERT_EQ(file.FindLine("[style]", line), 0);
    EXPECT_STREQ(line, "[STYLE]");
    ASSERT_EQ(file.FindLine("[TEXT_COLOR]", line), 0);
    EXPECT_STREQ(line, "[TEXT_COLOR]x");
    ASSERT_EQ(file.ReadValueLine(line), 0);
    EXPECT_STREQ(line, "RGB(1,2,3)");

    // Passed keys are not found again, and a failed search leaves nothing until Rewind.
    EXPECT_EQ(file.FindLine("[STYLE]", line), 1);
    EXPECT_EQ(file.ReadLine(line), 1);
    EXPECT_EQ(file.ReadValueLine(line), 1);
    file.Rewind();
    ASSERT_EQ(file.FindLine("[STYLE]", line), 0);
}

TEST_F(TextLineFileTest, CaseSensitiveModeOfTheTrayCompanion) {
    CTextLineFile file(CTextLineFile::PrefixCase::kMatch);
    ASSERT_EQ(file.Open(Write("t.txt", "[STYLE]\r\n").c_str()), 0);
    char line[16];
    EXPECT_EQ(file.FindLine("[style]", line), 1);
    file.Rewind();
    EXPECT_EQ(file.FindLine("[STYLE]", line), 0);
}

TEST_F(TextLineFileTest, CloseEndsReading) {
    CTextLineFile file;
    ASSERT_EQ(file.Open(Write("x.txt", "a\r\nb").c_str()), 0);
    file.Close();
    char line[4];
    EXPECT_EQ(file.ReadLine(line), 1);
    file.Rewind();
    EXPECT_EQ(file.ReadLine(line), 1);
}

TEST_F(TextLineFileTest, WriteLineAppendsCrLf) {
    CTextLineFile file;
    EXPECT_EQ(file.WriteLine("abc"), 1);
    ASSERT_EQ(file.Create("C:\\out.txt"), 0);
    EXPECT_EQ(file.WriteLine("abc"), 0);
    EXPECT_EQ(file.WriteLine("浏览"), 0);
    file.Close();
    EXPECT_EQ(folder_.ReadFile("out.txt"), "abc\r\n\xe4\xaf\xc0\xc0\r\n");
    EXPECT_EQ(file.WriteLine("late"), 1);
}

TEST_F(TextLineFileTest, CreateEmptiesALongerFile) {
    Write("old.txt", "a much longer old content\r\nwith two lines\r\n");
    CTextLineFile file;
    ASSERT_EQ(file.Create("C:/old.txt"), 0);
    file.WriteLine("new");
    file.Close();
    EXPECT_EQ(folder_.ReadFile("old.txt"), "new\r\n");
}

TEST_F(TextLineFileTest, CreateFailsInAMissingFolder) {
    CTextLineFile file;
    EXPECT_EQ(file.Create("C:\\no\\such\\folder\\x.txt"), 1);
    EXPECT_EQ(file.WriteLine("x"), 1);
}

}  // namespace
