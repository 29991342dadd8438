// The commands the browser control and its documents were asked to run (ExecWB and the documents'
// command targets), recorded as asked so that tests see exactly what a program asked for, also of
// the commands this platform has no printer or dialog for (see WebBrowser.h).
#pragma once

#include <string>
#include <vector>

#include "platform/com/Guid.h"

namespace platform::webcontrol {

struct RecordedWebCommand {
    enum class Source { Document, Browser };
    Source source = Source::Document;
    // GUID_NULL for the standard commands.
    GUID group{};
    DWORD command = 0;
    DWORD option = 0;
    // The input value as text ("" without one).
    std::string argument;
    // The address of the document or control that received it.
    std::string address;
};

void RecordWebCommand(RecordedWebCommand command);
// Everything recorded since the last call, in order, on any thread.
std::vector<RecordedWebCommand> TakeRecordedWebCommands();

}  // namespace platform::webcontrol
