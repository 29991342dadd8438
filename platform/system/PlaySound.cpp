#include "platform/system/PlaySound.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "platform/files/Path.h"
#include "platform/system/WaveFile.h"
#include "platform/text/Gbk.h"
#include "platform/time/Clock.h"

namespace {

// The system's event sounds; each lasts as long as the short chime it stands for.
constexpr std::array kSystemAliases{"SystemDefault", "SystemAsterisk", "SystemExclamation",
                                    "SystemHand",    "SystemQuestion", "SystemStart",
                                    "SystemExit",    ".Default"};
constexpr DWORD kChimeMilliseconds = 500;
constexpr char kDefaultSound[] = "SystemDefault";

std::mutex playedMutex;
std::vector<platform::PlayedSound> played;

bool IsSystemAlias(const char* name) {
    for (const char* alias : kSystemAliases) {
        if (platform::CompareNoCase(alias, name) == 0)
            return true;
    }
    return false;
}

std::optional<platform::WaveFormat> ReadWave(const char* windowsPath) {
    std::optional<std::filesystem::path> path = platform::ResolvePath(windowsPath);
    if (!path)
        return std::nullopt;
    std::ifstream in(*path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    return platform::ParseWaveFile(bytes);
}

void Play(std::string name, DWORD flags, DWORD milliseconds) {
    {
        std::lock_guard lock(playedMutex);
        played.push_back({std::move(name), flags, milliseconds});
    }
    if ((flags & SND_ASYNC) == 0)
        Sleep(milliseconds);
}

}  // namespace

BOOL PlaySoundA(LPCSTR pszSound, HMODULE /*hmod*/, DWORD fdwSound) {
    if (pszSound == nullptr || (fdwSound & SND_PURGE) != 0)
        return TRUE;
    if ((fdwSound & SND_MEMORY) != 0 || (fdwSound & SND_RESOURCE) == SND_RESOURCE)
        return FALSE;
    bool asFile = (fdwSound & SND_FILENAME) != 0;
    bool asAlias = (fdwSound & SND_ALIAS) != 0;
    if (!asFile && IsSystemAlias(pszSound)) {
        Play(pszSound, fdwSound, kChimeMilliseconds);
        return TRUE;
    }
    if (!asAlias) {
        if (std::optional<platform::WaveFormat> wave = ReadWave(pszSound)) {
            Play(pszSound, fdwSound, wave->DurationMilliseconds());
            return TRUE;
        }
    }
    if ((fdwSound & SND_NODEFAULT) != 0)
        return FALSE;
    Play(kDefaultSound, fdwSound, kChimeMilliseconds);
    return TRUE;
}

namespace platform {

std::vector<PlayedSound> TakePlayedSounds() {
    std::lock_guard lock(playedMutex);
    return std::exchange(played, {});
}

}  // namespace platform
