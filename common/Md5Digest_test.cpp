#include "common/Md5Digest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/testing/TempFolder.h"
#include "platform/text/Encoding.h"

namespace {

std::string Hex(const unsigned char digest[16]) {
    std::string text;
    for (int i = 0; i < 16; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        text += pair;
    }
    return text;
}

// Digest of `bytes` fed to Update in chunks of the given sizes, cycling through them.
std::string DigestInChunks(const std::string& bytes, const std::vector<unsigned int>& chunks) {
    CMd5Digest md5;
    Md5Context context;
    md5.Init(&context);
    std::size_t at = 0;
    for (std::size_t i = 0; at < bytes.size(); ++i) {
        unsigned int size = chunks[i % chunks.size()];
        if (size > bytes.size() - at) {
            size = static_cast<unsigned int>(bytes.size() - at);
        }
        md5.Update(&context, reinterpret_cast<const unsigned char*>(bytes.data() + at), size);
        at += size;
    }
    unsigned char digest[16];
    md5.Final(digest, &context);
    return Hex(digest);
}

std::string Digest(const std::string& bytes) {
    return DigestInChunks(bytes, {static_cast<unsigned int>(bytes.size())});
}

std::string Pattern(std::size_t size, int multiplier, int offset) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * multiplier + offset) & 0xFF);
    }
    return bytes;
}

// A file in the folder as the programs name it: drive Z: is the Linux root, text is GBK.
std::string WindowsPath(const platform::testing::TempFolder& folder, const std::string& name) {
    return "Z:" + platform::Utf8ToGbk(folder.path().string()) + "\\" + name;
}

TEST(Md5DigestTest, GivesTheReferenceDigestsOfTheStandardSuite) {
    EXPECT_EQ(Digest(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Digest("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Digest("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Digest("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Digest("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Digest("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Digest("1234567890123456789012345678901234567890123456789012345678901234567890"
                     "1234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5DigestTest, PadsMessagesAroundTheBlockBoundary) {
    // 55 bytes leave room for the length in the same block, 56 need a second block.
    EXPECT_EQ(Digest(std::string(55, '\0')), "c9ea3314b91c9fd4e38f9432064fd1f2");
    EXPECT_EQ(Digest(std::string(56, '\0')), "e3c4dd21a9171fd39d208efa09bf7883");
    EXPECT_EQ(Digest(std::string(64, '\0')), "3b5d3c7d207e37dceeedd301e35e2e58");
}

TEST(Md5DigestTest, GivesTheSameDigestWhateverChunksUpdateIsGiven) {
    const std::string message = Pattern(1000, 13, 5);
    const std::string expected = "e4026fc120d885cabf777aa42d458106";
    EXPECT_EQ(Digest(message), expected);
    EXPECT_EQ(DigestInChunks(message, {1}), expected);
    EXPECT_EQ(DigestInChunks(message, {63, 1, 64, 65, 0, 200}), expected);
    EXPECT_EQ(DigestInChunks(message, {7, 129}), expected);
    EXPECT_EQ(DigestInChunks(std::string(1000000, 'a'), {4096, 3}),
              "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5DigestTest, CarriesTheBitCountIntoItsHighWordAndClearsTheContextAtTheEnd) {
    CMd5Digest md5;
    Md5Context context;
    md5.Init(&context);
    context.count[0] = 0xFFFFFFF8u;
    const unsigned char two[2] = {1, 2};
    md5.Update(&context, two, 2);
    EXPECT_EQ(context.count[0], 8u);
    EXPECT_EQ(context.count[1], 1u);

    unsigned char digest[16];
    md5.Final(digest, &context);
    const std::vector<unsigned char> bytes(reinterpret_cast<unsigned char*>(&context),
                                           reinterpret_cast<unsigned char*>(&context + 1));
    EXPECT_EQ(bytes, std::vector<unsigned char>(sizeof context, 0));
}

TEST(Md5DigestTest, FileDigestIsTheLowerCaseHexOfTheContentAtEveryReadBoundary) {
    platform::testing::TempFolder folder;
    const std::string bytes = Pattern(1025, 7, 3);
    folder.WriteFile("empty.bin", "");
    folder.WriteFile("exact.bin", bytes.substr(0, 1024));
    folder.WriteFile("longer.bin", bytes);
    folder.WriteFile(platform::GbkToUtf8("数据/更新.dat"), "abc");

    CMd5Digest md5;
    char text[50] = "";
    ASSERT_EQ(md5.Md5File(WindowsPath(folder, "empty.bin").c_str(), text), 0);
    EXPECT_STREQ(text, "d41d8cd98f00b204e9800998ecf8427e");

    text[0] = '\0';
    ASSERT_EQ(md5.Md5File(WindowsPath(folder, "exact.bin").c_str(), text), 0);
    EXPECT_STREQ(text, "a66351d9c8f941b70a02eaf9c41e69c3");

    text[0] = '\0';
    ASSERT_EQ(md5.Md5File(WindowsPath(folder, "longer.bin").c_str(), text), 0);
    EXPECT_STREQ(text, "ee57403eb3428e1a0be41fad4a70b174");

    // The digest is appended to the text already there.
    std::strcpy(text, "md5=");
    ASSERT_EQ(md5.Md5File(WindowsPath(folder, "数据\\更新.dat").c_str(), text), 0);
    EXPECT_STREQ(text, "md5=900150983cd24fb0d6963f7d28e17f72");
}

TEST(Md5DigestTest, MissingFileGivesMinusOneAndLeavesTheBufferUntouched) {
    platform::testing::TempFolder folder;
    CMd5Digest md5;
    char text[50] = "";
    EXPECT_EQ(md5.Md5File(WindowsPath(folder, "missing.bin").c_str(), text), -1);
    EXPECT_STREQ(text, "");
    std::strcpy(text, "keep");
    EXPECT_EQ(md5.Md5File(WindowsPath(folder, "missing.bin").c_str(), text), -1);
    EXPECT_STREQ(text, "keep");
}

TEST(Md5DigestTest, StringDigestIsUpperCaseHexOfTheTextBytesAppendedToTheBuffer) {
    CMd5Digest md5;
    char text[50] = "";
    md5.Md5String("abc", text);
    EXPECT_STREQ(text, "900150983CD24FB0D6963F7D28E17F72");

    text[0] = '\0';
    md5.Md5String("", text);
    EXPECT_STREQ(text, "D41D8CD98F00B204E9800998ECF8427E");

    // "张三" in GBK: the digest covers the two-byte characters as stored.
    text[0] = '\0';
    md5.Md5String("\xD5\xC5\xC8\xFD", text);
    EXPECT_STREQ(text, "894152FFF4F97E8FB2B8F304C5C56EBB");

    std::strcpy(text, "x:");
    md5.Md5String("message digest", text);
    EXPECT_STREQ(text, "x:F96B697D7CB7938D525A2F31AAF161D0");
}

}  // namespace
