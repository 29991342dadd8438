#include "manager/LookupDataFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/IdCardRegionRecord.h"
#include "manager/IdiomRecord.h"
#include "manager/MobileRangeRecord.h"
#include "manager/PostCodeRecord.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

std::string Enciphered(std::string text) {
    XorDataFile(text);
    return text;
}

class LookupDataFileTest : public ::testing::Test {
protected:
    std::vector<std::string> Lines(const std::string& name, std::size_t lineSize) {
        std::vector<std::string> lines;
        const std::string path = platform::ToWindowsPath(folder.path() / name);
        result = ReadDataFileLines(path.c_str(), lineSize,
                                   [&](const char* line) { lines.emplace_back(line); });
        return lines;
    }

    platform::testing::TempFolder folder;
    int result = -1;
};

TEST_F(LookupDataFileTest, TheKeyRepeatsEveryTwentyBytesAndANulInTheCipherEndsNothing) {
    EXPECT_EQ(Enciphered(std::string(22, '\0')), "mnC482P;KH7VBRf55+!;mn");
    // "m" enciphers to a NUL, which must not end the text before it is deciphered.
    folder.WriteFile("mobile.dat", Enciphered("m1\r\nsecond line\r\n\r\nthird"));
    EXPECT_EQ(Lines("mobile.dat", 500), (std::vector<std::string>{"m1", "second line", "third"}));
    EXPECT_EQ(result, 0);

    Lines("none.dat", 500);
    EXPECT_EQ(result, 1);
    folder.WriteFile("empty.dat", "");
    EXPECT_TRUE(Lines("empty.dat", 500).empty());
    EXPECT_EQ(result, 0);
    // A file cut inside its last line gives what it holds of that line.
    const std::string whole = Enciphered("1300000 1300009 a b - c\r\n1310000 1310009 d e - f\r\n");
    folder.WriteFile("cut.dat", whole.substr(0, 30));
    EXPECT_EQ(Lines("cut.dat", 500),
              (std::vector<std::string>{"1300000 1300009 a b - c", "13100"}));
}

TEST_F(LookupDataFileTest, LongLinesAreCutToTheBufferAndTheirRestSkipped) {
    const std::string long500(500, 'x');
    const std::string long5000 = "1300000 " + std::string(4992, '9');
    folder.WriteFile("long.dat", Enciphered(long500 + "\r\n" + long5000 + "\r\nnext\r\n"));
    const std::vector<std::string> lines = Lines("long.dat", 500);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(499, 'x'));
    EXPECT_EQ(lines[1].size(), 499u);
    EXPECT_EQ(lines[2], "next");

    const MobileRangeRecord record = MobileRangeRecord::Parse(lines[1].c_str());
    EXPECT_STREQ(record.from, "1300000");
    EXPECT_STREQ(record.to, "999999999");
    EXPECT_EQ(record.toNumber, 999999999);
    EXPECT_STREQ(record.province, "");
}

TEST(LookupRecordsTest, WordsFillTheirFieldsBoundedAndInTheFileOrder) {
    const MobileRangeRecord mobile = MobileRangeRecord::Parse(
        " 1391234\t1391299 广东省 广州市 020 "
        "全球通卡(每张卡说明可以很长但会被截断到七十九字节为止的"
        "一段文字一段文字一段文字一段文字)");
    EXPECT_STREQ(mobile.from, "1391234");
    EXPECT_STREQ(mobile.to, "1391299");
    EXPECT_EQ(mobile.fromNumber, 1391234);
    EXPECT_EQ(mobile.toNumber, 1391299);
    EXPECT_STREQ(mobile.province, "广东省");
    EXPECT_STREQ(mobile.city, "广州市");
    EXPECT_EQ(std::string(mobile.card).size(), 79u);
    EXPECT_TRUE(mobile.Covers("139", 3));
    EXPECT_TRUE(mobile.Covers("13912", 5));
    EXPECT_FALSE(mobile.Covers("1391300", 7));
    EXPECT_FALSE(mobile.Covers("1391233", 7));

    const MobileRangeRecord tooLong = MobileRangeRecord::Parse("12345678901234 99999999999 p");
    EXPECT_STREQ(tooLong.from, "123456789");
    EXPECT_EQ(tooLong.fromNumber, 123456789);
    EXPECT_EQ(tooLong.toNumber, 999999999);
    EXPECT_STREQ(tooLong.province, "p");
    EXPECT_STREQ(tooLong.card, "");

    const PostCodeRecord post = PostCodeRecord::Parse("浙江省 杭州市 0571 310000");
    const char* bytes = reinterpret_cast<const char*>(&post);
    EXPECT_STREQ(bytes + 0, "浙江省");
    EXPECT_STREQ(bytes + 20, "杭州市");
    EXPECT_STREQ(bytes + 40, "310000");
    EXPECT_STREQ(bytes + 60, "0571");

    const IdCardRegionRecord region = IdCardRegionRecord::Parse("110101 北京市东城区 extra");
    EXPECT_STREQ(region.code, "110101");
    EXPECT_STREQ(region.region, "北京市东城区");
}

TEST(LookupRecordsTest, AnIdiomLineSplitsAtItsFirstFiveSlashes) {
    const IdiomRecord seven = IdiomRecord::Parse("一心一意/yxyy/yī xīn yī yì/专心/出处/例一/例二");
    EXPECT_EQ(seven.idiom, "一心一意");
    EXPECT_EQ(seven.initials, "yxyy");
    EXPECT_EQ(seven.pinyin, "yī xīn yī yì");
    EXPECT_EQ(seven.explanation, "专心");
    EXPECT_EQ(seven.source, "出处");
    EXPECT_EQ(seven.example, "例一/例二");

    const IdiomRecord short_ = IdiomRecord::Parse("画蛇添足/hstz");
    EXPECT_EQ(short_.initials, "hstz");
    EXPECT_EQ(short_.pinyin, "");
    EXPECT_EQ(short_.example, "");
}

}  // namespace
