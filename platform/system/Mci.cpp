#include "platform/system/Mci.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <sstream>
#include <utility>

#include "platform/system/DriveTypes.h"
#include "platform/text/Gbk.h"

namespace {

struct OpenDevice {
    DWORD id = 0;
    char drive = 0;
};

struct MciState {
    std::mutex mutex;
    std::vector<std::string> commands;
    std::map<std::string, OpenDevice> devices;  // by lower-case alias
    DWORD nextId = 1;
};

// The newest commands kept for tests: a CD key press sends three, and a program runs for weeks.
constexpr std::size_t kMaxCommands = 100;

MciState& State() {
    static MciState state;
    return state;
}

std::vector<std::string> SplitWords(const std::string& command) {
    std::istringstream stream(command);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

bool Is(const std::string& word, const char* keyword) {
    return platform::CompareNoCase(word, keyword) == 0;
}

std::string Lower(std::string text) {
    platform::ToLowerAscii(text);
    return text;
}

// "wait" and "notify" change only when the command returns; every command here is done when it
// returns anyway.
void DropFlags(std::vector<std::string>& words) {
    std::erase_if(words,
                  [](const std::string& word) { return Is(word, "wait") || Is(word, "notify"); });
}

MCIERROR MoveDoor(char drive, bool open) {
    std::optional<std::string> device = platform::CdromDevice(drive);
    if (!device)
        return MCIERR_HARDWARE;
    int descriptor = ::open(device->c_str(), O_RDONLY | O_NONBLOCK);
    if (descriptor < 0)
        return MCIERR_HARDWARE;
    int result = ioctl(descriptor, open ? CDROMEJECT : CDROMCLOSETRAY, 0);
    ::close(descriptor);
    return result == 0 ? 0 : MCIERR_HARDWARE;
}

MCIERROR Open(MciState& state, const std::vector<std::string>& words, std::string& reply) {
    if (words.size() < 2)
        return MCIERR_MISSING_PARAMETER;
    const std::string& name = words[1];
    std::string type;
    std::string alias;
    for (size_t i = 2; i < words.size(); ++i) {
        if (Is(words[i], "type") && i + 1 < words.size()) {
            type = words[++i];
        } else if (Is(words[i], "alias") && i + 1 < words.size()) {
            alias = words[++i];
        } else if (!Is(words[i], "shareable")) {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    char drive = 0;
    bool isRoot = name.size() >= 2 && name.size() <= 3 && name[1] == ':';
    if (isRoot && Is(type, "cdaudio")) {
        const char root[] = {name[0], ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_CDROM)
            drive = name[0];
    } else if (Is(name, "cdaudio") && type.empty()) {
        for (char letter = 'A'; letter <= 'Z' && drive == 0; ++letter) {
            if (platform::CdromDevice(letter))
                drive = letter;
        }
    }
    if (drive == 0)
        return MCIERR_INVALID_DEVICE_NAME;
    std::string key = Lower(alias.empty() ? name : alias);
    if (state.devices.contains(key))
        return MCIERR_DUPLICATE_ALIAS;
    DWORD id = state.nextId++;
    state.devices[key] = {id, drive};
    reply = std::to_string(id);
    return 0;
}

MCIERROR Execute(MciState& state, std::vector<std::string> words, std::string& reply) {
    DropFlags(words);
    if (words.empty())
        return MCIERR_MISSING_COMMAND_STRING;
    if (Is(words[0], "open"))
        return Open(state, words, reply);
    if (words.size() < 2)
        return MCIERR_MISSING_PARAMETER;
    if (Is(words[0], "close")) {
        if (Is(words[1], "all")) {
            state.devices.clear();
            return 0;
        }
        return state.devices.erase(Lower(words[1])) == 1 ? 0 : MCIERR_INVALID_DEVICE_NAME;
    }
    if (Is(words[0], "set")) {
        auto device = state.devices.find(Lower(words[1]));
        if (device == state.devices.end())
            return MCIERR_INVALID_DEVICE_NAME;
        if (words.size() != 4 || !Is(words[2], "door"))
            return MCIERR_UNRECOGNIZED_KEYWORD;
        if (Is(words[3], "open"))
            return MoveDoor(device->second.drive, true);
        if (Is(words[3], "closed"))
            return MoveDoor(device->second.drive, false);
        return MCIERR_UNRECOGNIZED_KEYWORD;
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

}  // namespace

MCIERROR mciSendStringA(LPCSTR lpstrCommand, LPSTR lpstrReturnString, UINT uReturnLength,
                        HWND /*hwndCallback*/) {
    MciState& state = State();
    std::lock_guard lock(state.mutex);
    if (lpstrCommand == nullptr)
        return MCIERR_MISSING_COMMAND_STRING;
    if (state.commands.size() >= kMaxCommands) {
        state.commands.erase(state.commands.begin());
    }
    state.commands.emplace_back(lpstrCommand);
    std::string reply;
    MCIERROR error = Execute(state, SplitWords(lpstrCommand), reply);
    if (lpstrReturnString != nullptr && uReturnLength > 0) {
        size_t length = std::min<size_t>(reply.size(), uReturnLength - 1);
        std::memcpy(lpstrReturnString, reply.data(), length);
        lpstrReturnString[length] = '\0';
    }
    return error;
}

namespace platform {

std::vector<std::string> TakeMciCommands() {
    MciState& state = State();
    std::lock_guard lock(state.mutex);
    return std::exchange(state.commands, {});
}

void ResetMciForTesting() {
    MciState& state = State();
    std::lock_guard lock(state.mutex);
    state.commands.clear();
    state.devices.clear();
    state.nextId = 1;
}

}  // namespace platform
