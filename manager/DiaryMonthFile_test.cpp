#include "manager/DiaryMonthFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "manager/DesCipher.h"
#include "manager/DiaryTest.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace manager_testing {
namespace {

class DiaryMonthFileTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const {
        return platform::ToWindowsPath(folder.path() / name);
    }
    // Enciphers plain bytes as the page would, with the check text of tom's account.
    void WriteEnciphered(const char* name, const std::string& plain) const {
        std::vector<unsigned char> bytes(plain.begin(), plain.end());
        ASSERT_TRUE(CDesCipher::EncipherBytes(bytes, check.c_str()));
        folder.WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    platform::testing::TempFolder folder;
    const std::string check = CDiaryMonthFile::CheckText("tom1", "secret");
};

TEST_F(DiaryMonthFileTest, AMonthIsWrittenInTheStoredLayoutThatOpenSslDeciphers) {
    EXPECT_EQ(CDiaryMonthFile::PathOf("C:\\dv\\", "小明", 2006, 9),
              "C:\\dv\\notebook\\小明\\200609.dat");
    EXPECT_EQ(check, std::string("tom1secret") + "[]==eelKpmz874gh");

    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
    slots[4].text = "五号";
    slots[19].text = "二十号\r\n第二行";
    const std::map<int, std::string> texts{{5, "五号"}, {20, "二十号\r\n第二行"}};
    EXPECT_EQ(CDiaryMonthFile::Serialize(slots), PlainMonth(2006, 9, texts));

    ASSERT_EQ(CDiaryMonthFile::Save(PathOf("200609.dat"), check, slots), 0);
    // Only the enciphered month is on disk: no plain form, no temporary file.
    EXPECT_EQ(Names(), std::vector<std::string>{"200609.dat"});
    EXPECT_EQ(OpenSslDecipher(folder.path() / "200609.dat"),
              WithTrailer(PlainMonth(2006, 9, texts), check));

    std::vector<DiaryDaySlot> read = CDiaryMonthFile::EmptyMonth(2006, 9);
    ASSERT_EQ(CDiaryMonthFile::Load(PathOf("200609.dat"), check, read), 0);
    EXPECT_EQ(CDiaryMonthFile::Serialize(read), CDiaryMonthFile::Serialize(slots));
}

TEST_F(DiaryMonthFileTest, DamagedOrForeignMonthsOpenEmptyAndStayAsTheyWere) {
    const std::string good = PlainMonth(2006, 9, {{3, "abc"}});
    std::string negative = good;
    // Slot 1's length becomes -1.
    negative.replace(4 + 28, 4, Int32s({-1}));
    std::string thirtyThree = Int32s({33}) + good.substr(4) + Int32s({0, 2006, 9, 33, 0, 0, 0, 0});
    std::string pastTheEnd = good;
    pastTheEnd.replace(4 + 2 * 32 + 28, 4, Int32s({1000}));

    WriteEnciphered("good.dat", good);
    const std::string enciphered = folder.ReadFile("good.dat");
    folder.WriteFile("seven.dat", "1234567");
    folder.WriteFile("short-trailer.dat", enciphered.substr(0, enciphered.size() - 8));
    folder.WriteFile("cut.dat", enciphered.substr(0, enciphered.size() - 3));
    WriteEnciphered("negative.dat", negative);
    WriteEnciphered("thirty-three.dat", thirtyThree);
    WriteEnciphered("past-the-end.dat", pastTheEnd);
    WriteEnciphered("empty.dat", "");

    for (const char* name : {"seven.dat", "short-trailer.dat", "cut.dat", "negative.dat",
                             "thirty-three.dat", "past-the-end.dat", "empty.dat", "missing.dat"}) {
        SCOPED_TRACE(name);
        const bool exists = std::filesystem::exists(folder.path() / name);
        const std::string before = exists ? folder.ReadFile(name) : "";
        std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
        slots[0].text = "unsaved";
        EXPECT_EQ(CDiaryMonthFile::Load(PathOf(name), check, slots), 1);
        EXPECT_EQ(slots[0].text, "unsaved");
        EXPECT_EQ(slots[2].text, "");
        EXPECT_EQ(exists ? folder.ReadFile(name) : "", before);
    }
    // Another user's (or password's) month is no month of this one.
    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
    EXPECT_EQ(
        CDiaryMonthFile::Load(PathOf("good.dat"), CDiaryMonthFile::CheckText("tom1", "x"), slots),
        1);
    EXPECT_EQ(folder.ReadFile("good.dat"), enciphered);
    EXPECT_EQ(CDiaryMonthFile::Load(PathOf("good.dat"), check, slots), 0);
    EXPECT_EQ(slots[2].text, "abc");
}

TEST_F(DiaryMonthFileTest, AShorterMonthFillsItsFirstSlotsAndATextEndsAtAZeroByte) {
    std::string plain = Int32s({3});
    plain += Int32s({0, 2006, 9, 1, 0, 0, 0, 0});
    plain += Int32s({0, 2006, 9, 2, 0, 0, 0, 7}) + std::string("ab\0cdef", 7);
    plain += Int32s({0, 2006, 9, 3, 0, 0, 0, 3}) + "xyz";
    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 10);
    slots[3].text = "kept";
    ASSERT_TRUE(CDiaryMonthFile::Parse(reinterpret_cast<const std::uint8_t*>(plain.data()),
                                       plain.size(), slots));
    EXPECT_EQ(slots[1].text, "ab");
    EXPECT_EQ(slots[2].text, "xyz");
    EXPECT_EQ(slots[2].header.month, 9);
    EXPECT_EQ(slots[3].text, "kept");
    EXPECT_EQ(slots[3].header.month, 10);
}

TEST_F(DiaryMonthFileTest, StalePlainFilesGoAndAFailedSaveKeepsThePreviousMonth) {
    std::vector<DiaryDaySlot> slots = CDiaryMonthFile::EmptyMonth(2006, 9);
    slots[0].text = "old";
    ASSERT_EQ(CDiaryMonthFile::Save(PathOf("200609.dat"), check, slots), 0);
    const std::string old = folder.ReadFile("200609.dat");
    folder.WriteFile("200609.dat2", "plain text of an older version");
    folder.WriteFile("200609.dat3", "plain text of an older version");
    EXPECT_EQ(CDiaryMonthFile::Load(PathOf("200609.dat"), check, slots), 0);
    EXPECT_EQ(Names(), std::vector<std::string>{"200609.dat"});

    // The temporary file cannot be made: the save fails and the month stays.
    std::filesystem::create_directory(folder.path() / "200609.dat.tmp");
    slots[0].text = "new";
    EXPECT_EQ(CDiaryMonthFile::Save(PathOf("200609.dat"), check, slots), 1);
    EXPECT_EQ(folder.ReadFile("200609.dat"), old);
    // A missing user folder: nothing is written.
    EXPECT_EQ(CDiaryMonthFile::Save(PathOf("nobody\\200609.dat"), check, slots), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "nobody"));
}

TEST_F(DiaryMonthFileTest, AWriterKilledDuringASaveLeavesTheOldOrTheNewMonthWhole) {
    std::vector<DiaryDaySlot> small = CDiaryMonthFile::EmptyMonth(2006, 9);
    small[0].text = "small";
    std::vector<DiaryDaySlot> large = CDiaryMonthFile::EmptyMonth(2006, 9);
    large[0].text = std::string(256 * 1024, 'x');
    const std::string path = PathOf("200609.dat");
    ASSERT_EQ(CDiaryMonthFile::Save(path, check, small), 0);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            for (;;) {
                CDiaryMonthFile::Save(path, check, large);
                CDiaryMonthFile::Save(path, check, small);
            }
        }
        ::usleep(static_cast<useconds_t>(2000 + round * 1500));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        std::vector<DiaryDaySlot> read = CDiaryMonthFile::EmptyMonth(2006, 9);
        ASSERT_EQ(CDiaryMonthFile::Load(path, check, read), 0) << "round " << round;
        EXPECT_TRUE(read[0].text == "small" || read[0].text == large[0].text);
    }
}

}  // namespace
}  // namespace manager_testing
