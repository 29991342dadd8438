// Commands that on the original platform act outside the page (print, page setup, save as, zoom,
// find, view source, options) have no effect here; the control and its documents record them so
// that tests can see exactly what was asked.
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
