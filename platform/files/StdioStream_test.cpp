#include "platform/files/StdioStream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

using StdioStreamTest = testing::MappedDriveTest;

std::string ReadRest(FILE* file) {
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        text += static_cast<char>(c);
    }
    return text;
}

TEST_F(StdioStreamTest, BinaryModesKeepBytes) {
    FILE* out = OpenStdioFile("C:\\b.bin", "wb");
    ASSERT_NE(out, nullptr);
    std::fputs(
        "a\nb\r\n\x1A"
        "c",
        out);
    EXPECT_EQ(std::fclose(out), 0);
    EXPECT_EQ(Read("b.bin"),
              "a\nb\r\n\x1A"
              "c");

    FILE* in = OpenStdioFile("C:\\B.BIN", "rb");
    EXPECT_EQ(ReadRest(in),
              "a\nb\r\n\x1A"
              "c");
    std::fclose(in);

    FILE* append = OpenStdioFile("C:\\b.bin", "ab");
    std::fputs("+", append);
    std::fclose(append);
    EXPECT_EQ(Read("b.bin"),
              "a\nb\r\n\x1A"
              "c+");
}

TEST_F(StdioStreamTest, TextModeWritesCrLf) {
    FILE* out = OpenStdioFile("C:\\t.txt", "w");
    std::fprintf(out, "line %d\n\n", 1);
    EXPECT_EQ(std::ftell(out), 10);  // a position in the file, CRs counted
    std::fclose(out);
    EXPECT_EQ(Read("t.txt"), "line 1\r\n\r\n");

    FILE* append = OpenStdioFile("C:\\t.txt", "at");
    std::fputs("x\n", append);
    std::fclose(append);
    EXPECT_EQ(Read("t.txt"), "line 1\r\n\r\nx\r\n");
}

TEST_F(StdioStreamTest, TextModeReadsCrLfAsLfAndStopsAtCtrlZ) {
    Write("r.txt",
          "x\r\ny\rz\n\r\n\x1A"
          "after");
    FILE* in = OpenStdioFile("C:\\r.txt", "r");
    char line[32];
    ASSERT_NE(std::fgets(line, sizeof line, in), nullptr);
    EXPECT_STREQ(line, "x\n");
    EXPECT_EQ(std::ftell(in), 3);
    EXPECT_EQ(ReadRest(in), "y\rz\n\n");
    EXPECT_TRUE(std::feof(in));

    // Seeking back starts translating afresh from a file position.
    EXPECT_EQ(std::fseek(in, 3, SEEK_SET), 0);
    ASSERT_NE(std::fgets(line, sizeof line, in), nullptr);
    EXPECT_STREQ(line, "y\rz\n");
    EXPECT_EQ(std::ftell(in), 7);
    std::fclose(in);
}

TEST_F(StdioStreamTest, CrLfSplitAcrossReadAhead) {
    std::string bytes(4095, 'a');
    bytes += "\r\nb\r";
    Write("long.txt", bytes);
    FILE* in = OpenStdioFile("C:\\long.txt", "rt");
    EXPECT_EQ(ReadRest(in), std::string(4095, 'a') + "\nb\r");
    std::fclose(in);
}

TEST_F(StdioStreamTest, UpdateModeSwitchesBetweenReadingAndWriting) {
    Write("u.txt", "one\r\ntwo\r\n");
    FILE* file = OpenStdioFile("C:\\u.txt", "r+");
    char line[16];
    std::fgets(line, sizeof line, file);
    EXPECT_EQ(std::fseek(file, 0, SEEK_CUR), 0);
    std::fputs("TWO\n", file);
    std::fclose(file);
    EXPECT_EQ(Read("u.txt"), "one\r\nTWO\r\n");
}

TEST_F(StdioStreamTest, FailuresSetErrno) {
    errno = 0;
    EXPECT_EQ(OpenStdioFile("C:\\missing.txt", "r"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(OpenStdioFile("C:\\x.txt", "q"), nullptr);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(OpenStdioFile("C:\\a|b.txt", "w"), nullptr);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(OpenStdioFile("Q:\\x.txt", "w"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(OpenStdioFile("C:\\", "r"), nullptr);
    EXPECT_EQ(errno, EACCES);
    Write("exists.txt", "x");
    EXPECT_EQ(OpenStdioFile("C:\\exists.txt", "wx"), nullptr);
    EXPECT_EQ(errno, EEXIST);
}

TEST_F(StdioStreamTest, StreamsTakePartInShareModes) {
    Write("held.txt", "held");
    HANDLE holder = CreateFileA("C:\\held.txt", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(OpenStdioFile("C:\\held.txt", "w"), nullptr);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(Read("held.txt"), "held");
    FILE* reader = OpenStdioFile("C:\\held.txt", "rb");
    ASSERT_NE(reader, nullptr);
    std::fclose(reader);
    EXPECT_TRUE(CloseHandle(holder));

    FILE* stream = OpenStdioFile("C:\\held.txt", "rb");
    ASSERT_NE(stream, nullptr);
    EXPECT_FALSE(DeleteFileA("C:\\held.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    std::fclose(stream);
    EXPECT_TRUE(DeleteFileA("C:\\held.txt"));
}

TEST_F(StdioStreamTest, ReadOnlyFilesOpenOnlyForReading) {
    Write("ro.txt", "x");
    ASSERT_TRUE(SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(OpenStdioFile("C:\\ro.txt", "a"), nullptr);
    EXPECT_EQ(errno, EACCES);
    FILE* in = OpenStdioFile("C:\\ro.txt", "r");
    ASSERT_NE(in, nullptr);
    std::fclose(in);
}

}  // namespace
}  // namespace platform
