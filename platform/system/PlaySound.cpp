#include "platform/system/PlaySound.h"

#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/files/Path.h"
#include "platform/system/WaveFile.h"
#include "platform/text/Gbk.h"
#include "platform/time/Clock.h"

extern char** environ;

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

constexpr std::size_t kMaxPlayed = 100;

// A sound server of the desktop: PulseAudio's (or PipeWire's in its place) socket, or the one
// PULSE_SERVER names. Never in a headless run, which is how the tests run.
bool SoundServerExists() {
    const char* display = std::getenv("PLATFORM_DISPLAY");
    if (display != nullptr && std::strcmp(display, "headless") == 0) {
        return false;
    }
    if (std::getenv("PULSE_SERVER") != nullptr) {
        return true;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return runtime != nullptr &&
           std::filesystem::exists(std::filesystem::path(runtime) / "pulse" / "native", error);
}

// Hands the file to the server's player; the caller keeps the timing. The player is reaped by a
// thread of its own, so that no process is left behind.
void PlayThroughServer(const std::filesystem::path& file) {
    std::string path = file.string();
    char program[] = "paplay";
    char* argv[] = {program, path.data(), nullptr};
    pid_t child = -1;
    if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) {
        return;
    }
    try {
        std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    } catch (const std::system_error&) {
        waitpid(child, nullptr, 0);
    }
}

void Play(std::string name, DWORD flags, DWORD milliseconds,
          const std::optional<std::filesystem::path>& file = std::nullopt) {
    {
        std::lock_guard lock(playedMutex);
        if (played.size() >= kMaxPlayed) {
            played.erase(played.begin());
        }
        played.push_back({std::move(name), flags, milliseconds});
    }
    if (file && SoundServerExists()) {
        PlayThroughServer(*file);
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
            Play(pszSound, fdwSound, wave->DurationMilliseconds(), platform::ResolvePath(pszSound));
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
