// The resource compiler's two steps: a script (with its includes and data files) to compiled
// resources, and compiled resources to the C++ source that registers them with the program.
#pragma once

#include <string>
#include <vector>

#include "platform/resources/CompiledResource.h"
#include "platform/resources/RcPreprocessor.h"

namespace platform {

struct RcCompilation {
    std::vector<CompiledResource> resources;
    // The script, the files it included and the data files it named, for build dependencies.
    std::vector<std::string> files;
};

// Throws RcError ("file:line: message") on the first fault.
RcCompilation CompileResourceScript(const std::string& path,
                                    const RcPreprocessor::FileReader& reader);

// The file on disk that `path` names: the path itself when it exists, otherwise the one whose
// folder and file names match ignoring ASCII case, since scripts written for a system that
// ignores case name their files in any case. Empty when there is none.
std::optional<std::string> FindResourceFile(const std::string& path);
// Reads the file FindResourceFile finds.
std::optional<std::string> ReadResourceFile(const std::string& path);

// A source file whose static initialisation registers every resource with ResourceTable.
std::string GenerateResourceSource(const std::vector<CompiledResource>& resources);

}  // namespace platform
