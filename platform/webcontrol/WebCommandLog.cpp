#include "platform/webcontrol/WebCommandLog.h"

#include <mutex>
#include <utility>

namespace platform::webcontrol {

namespace {

std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<RecordedWebCommand>& Log() {
    static std::vector<RecordedWebCommand> log;
    return log;
}

}  // namespace

void RecordWebCommand(RecordedWebCommand command) {
    std::lock_guard lock(LogMutex());
    Log().push_back(std::move(command));
}

std::vector<RecordedWebCommand> TakeRecordedWebCommands() {
    std::lock_guard lock(LogMutex());
    return std::exchange(Log(), {});
}

}  // namespace platform::webcontrol
