// The entry point of a program built on the framework: its command line (the arguments after the
// program, joined as the original platform passes them) goes to AfxWinMain.
#include <cstdlib>
#include <string>

#include "platform/dialogs/MessageBoxApi.h"
#include "platform/display/Display.h"
#include "platform/framework/WinApp.h"
#include "platform/process/LibraryApi.h"

namespace {

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char ch : argument) {
        if (ch == '\\') {
            ++backslashes;
            continue;
        }
        if (ch == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += ch;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (!commandLine.empty()) {
            commandLine += ' ';
        }
        commandLine += QuoteArgument(argv[i]);
    }
    // Without a display no one could answer a message box: a box that waited for an answer would
    // stop the program for good (at exit, after a failed save, too).
    if (platform::ChooseDisplay(std::getenv("PLATFORM_DISPLAY"), std::getenv("DISPLAY")) ==
        platform::DisplayKind::kHeadless) {
        platform::SetMessageBoxAnswerer(platform::AnswerWithoutDisplay);
    }
    return AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
}
