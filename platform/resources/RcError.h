// A fault in a resource script, reported as "file:line: message" so that editors and build logs
// jump to it.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

class RcError : public std::runtime_error {
public:
    RcError(const std::string& file, int line, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

}  // namespace platform
