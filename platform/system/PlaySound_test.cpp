#include "platform/system/PlaySound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/files/Path.h"
#include "platform/system/WaveFile.h"
#include "platform/testing/TempFolder.h"
#include "platform/time/Clock.h"

namespace {

std::string LittleEndian(uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i)
        text += static_cast<char>((value >> (8 * i)) & 0xFF);
    return text;
}

// A PCM file: 8000 samples per second, mono, 8 bits, `dataBytes` of silence.
std::string WaveBytes(uint32_t dataBytes, bool withExtraChunk = false) {
    std::string format = "fmt " + LittleEndian(16, 4) + LittleEndian(1, 2) + LittleEndian(1, 2) +
                         LittleEndian(8000, 4) + LittleEndian(8000, 4) + LittleEndian(1, 2) +
                         LittleEndian(8, 2);
    std::string extra = withExtraChunk ? "LIST" + LittleEndian(3, 4) + "abc" + '\0' : "";
    std::string data = "data" + LittleEndian(dataBytes, 4) + std::string(dataBytes, '\x80');
    std::string body = "WAVE" + format + extra + data;
    return "RIFF" + LittleEndian(static_cast<uint32_t>(body.size()), 4) + body;
}

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(WaveFileTest, FindsFormatAndDataPastOddSizedChunks) {
    std::string file = WaveBytes(4000, true);
    auto wave = platform::ParseWaveFile(Bytes(file));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->formatTag, 1);
    EXPECT_EQ(wave->samplesPerSecond, 8000u);
    EXPECT_EQ(wave->dataBytes, 4000u);
    EXPECT_EQ(wave->DurationMilliseconds(), 500u);
}

TEST(WaveFileTest, RejectsOrBoundsBrokenFiles) {
    std::string file = WaveBytes(4000);
    EXPECT_FALSE(platform::ParseWaveFile(Bytes(file.substr(0, 11))));
    EXPECT_FALSE(platform::ParseWaveFile(Bytes("RIFX" + file.substr(4))));
    // A data chunk that claims more than there is plays what there is.
    auto cut = platform::ParseWaveFile(Bytes(file.substr(0, file.size() - 1000)));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->dataBytes, 3000u);
    // Data before the format block is not playable.
    std::string dataFirst = "RIFF" + LittleEndian(12, 4) + "WAVE" + "data" + LittleEndian(0, 4);
    EXPECT_FALSE(platform::ParseWaveFile(Bytes(dataFirst)));
    // A chunk size that runs past the end stops the walk.
    std::string huge = "RIFF" + LittleEndian(20, 4) + "WAVE" + "junk" + LittleEndian(0xFFFFFFF0, 4);
    EXPECT_FALSE(platform::ParseWaveFile(Bytes(huge)));
}

class PlaySoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::UseTestClock({2026, 12, 0, 8, 10, 0, 0, 0});
        platform::TakePlayedSounds();
    }
    void TearDown() override { platform::UseRealClock(); }
};

TEST_F(PlaySoundTest, AFilePlaysForItsLengthAndASyncCallWaits) {
    platform::testing::TempFolder folder;
    folder.WriteFile("data/notify.wav", WaveBytes(16000));
    std::string path = platform::ToWindowsPath(folder.path() / "data" / "notify.wav");
    auto before = platform::MonotonicNow();
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
    EXPECT_EQ(platform::MonotonicNow() - before, std::chrono::milliseconds(2000));
    auto played = platform::TakePlayedSounds();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].name, path);
    EXPECT_EQ(played[0].flags, static_cast<DWORD>(SND_FILENAME | SND_NODEFAULT));
    EXPECT_EQ(played[0].milliseconds, 2000u);

    before = platform::MonotonicNow();
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_EQ(platform::MonotonicNow(), before);
}

TEST_F(PlaySoundTest, AMissingFilePlaysTheDefaultUnlessTold) {
    EXPECT_FALSE(PlaySoundA("data\\missing.wav", nullptr, SND_FILENAME | SND_NODEFAULT));
    EXPECT_TRUE(platform::TakePlayedSounds().empty());
    EXPECT_TRUE(PlaySoundA("data\\missing.wav", nullptr, SND_FILENAME | SND_ASYNC));
    auto played = platform::TakePlayedSounds();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].name, "SystemDefault");
    EXPECT_TRUE(PlaySoundA("SystemAsterisk", nullptr, SND_ALIAS | SND_ASYNC));
    EXPECT_EQ(platform::TakePlayedSounds().at(0).name, "SystemAsterisk");
    EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
    EXPECT_TRUE(platform::TakePlayedSounds().empty());
}

TEST_F(PlaySoundTest, AFileGoesToTheDesktopsSoundServerButNeverInAHeadlessRun) {
    platform::testing::TempFolder folder;
    folder.WriteFile("data/notify.wav", WaveBytes(16000));
    const std::string heard = (folder.path() / "heard").string();
    folder.WriteFile("bin/paplay", "#!/bin/sh\necho \"$1\" >> '" + heard + "'\n");
    std::filesystem::permissions(folder.path() / "bin" / "paplay",
                                 std::filesystem::perms::owner_all);
    const std::string path = platform::ToWindowsPath(folder.path() / "data" / "notify.wav");
    const std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    const char* display = std::getenv("PLATFORM_DISPLAY");
    const std::string savedDisplay = display != nullptr ? display : "";
    ::setenv("PATH", ((folder.path() / "bin").string() + ":" + savedPath).c_str(), 1);
    ::setenv("PULSE_SERVER", "unix:/nowhere", 1);

    ::setenv("PLATFORM_DISPLAY", "headless", 1);
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    ::unsetenv("PLATFORM_DISPLAY");
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    // The system's chimes stay silent.
    EXPECT_TRUE(PlaySoundA("SystemAsterisk", nullptr, SND_ALIAS | SND_ASYNC));

    ::setenv("PATH", savedPath.c_str(), 1);
    ::unsetenv("PULSE_SERVER");
    if (display != nullptr) {
        ::setenv("PLATFORM_DISPLAY", savedDisplay.c_str(), 1);
    }
    for (int i = 0; i < 500 && folder.ReadFile("heard").empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(folder.ReadFile("heard"), (folder.path() / "data" / "notify.wav").string() + "\n");
    EXPECT_EQ(platform::TakePlayedSounds().size(), 3u);
}

}  // namespace
