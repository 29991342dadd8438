#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/resources/AcceleratorTable.h"
#include "platform/resources/DialogInit.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/RcCompiler.h"
#include "platform/resources/RcError.h"

// Any bytes either compile or fail with an RcError; whatever compiles decodes again. Included
// and referenced files all read as one small header, so #include and file resources are
// reachable.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string script(reinterpret_cast<const char*>(data), size);
    auto reader = [&script](const std::string& path) -> std::optional<std::string> {
        if (path == "fuzz.rc") {
            return script;
        }
        return std::string("#define FROM_HEADER 7\n");
    };
    platform::RcCompilation compilation;
    try {
        compilation = platform::CompileResourceScript("fuzz.rc", reader);
    } catch (const platform::RcError&) {
        return 0;
    }
    for (const platform::CompiledResource& resource : compilation.resources) {
        bool decodes = true;
        if (resource.type == "#5") {
            decodes = platform::DecodeDialogTemplate(resource.data).has_value();
        } else if (resource.type == "#4") {
            decodes = platform::DecodeMenuTemplate(resource.data).has_value();
        } else if (resource.type == "#9" && !resource.data.empty()) {
            decodes = platform::DecodeAcceleratorTable(resource.data).has_value();
        } else if (resource.type == "#240") {
            decodes = platform::DecodeDialogInit(resource.data).has_value();
        }
        if (!decodes) {
            __builtin_trap();
        }
    }
    platform::GenerateResourceSource(compilation.resources);
    return 0;
}
