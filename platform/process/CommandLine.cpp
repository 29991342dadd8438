#include "platform/process/CommandLine.h"

#include "platform/text/Gbk.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return at;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    size_t at = SkipBlanks(commandLine, 0);
    while (at < commandLine.size()) {
        std::string argument;
        bool quoted = false;
        while (at < commandLine.size()) {
            const char c = commandLine[at];
            if (IsBlank(c) && !quoted) {
                break;
            }
            if (c == '\\') {
                size_t count = 0;
                while (at < commandLine.size() && commandLine[at] == '\\') {
                    ++count;
                    ++at;
                }
                if (at < commandLine.size() && commandLine[at] == '"') {
                    argument.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        argument += '"';
                        ++at;
                    }
                } else {
                    argument.append(count, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (quoted && at + 1 < commandLine.size() && commandLine[at + 1] == '"') {
                    argument += '"';
                    at += 2;
                } else {
                    quoted = !quoted;
                    ++at;
                }
                continue;
            }
            const size_t length = CharLengthAt(commandLine, at);
            argument.append(commandLine.substr(at, length));
            at += length;
        }
        arguments.push_back(std::move(argument));
        at = SkipBlanks(commandLine, at);
    }
    return arguments;
}

std::vector<std::string> SplitProgramCommandLine(std::string_view commandLine) {
    size_t at = SkipBlanks(commandLine, 0);
    if (at == commandLine.size()) {
        return {};
    }
    std::string program;
    if (commandLine[at] == '"') {
        const size_t end = commandLine.find('"', at + 1);
        program = commandLine.substr(at + 1, end == std::string_view::npos ? end : end - at - 1);
        at = end == std::string_view::npos ? commandLine.size() : end + 1;
    } else {
        while (at < commandLine.size() && !IsBlank(commandLine[at])) {
            const size_t length = CharLengthAt(commandLine, at);
            program.append(commandLine.substr(at, length));
            at += length;
        }
    }
    std::vector<std::string> result{std::move(program)};
    for (std::string& argument : SplitCommandLine(commandLine.substr(at))) {
        result.push_back(std::move(argument));
    }
    return result;
}

}  // namespace platform
