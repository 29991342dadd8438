#include "platform/testing/ProgramFolder.h"

namespace platform::testing {

namespace {

// The desktop module and the page engine's module it loads.
constexpr const char* kModules[] = {"desktopdisplay.so", "webkitview.so"};

bool CopyBeside(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::create_directories(to.parent_path(), error);
    return !error &&
           std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                      error) &&
           !error;
}

}  // namespace

std::filesystem::path LayOutProgramFolder(const std::filesystem::path& folder,
                                          const std::filesystem::path& files,
                                          const std::filesystem::path& program,
                                          const std::string& name,
                                          const std::vector<std::filesystem::path>& libraries) {
    std::error_code error;
    if (!files.empty()) {
        std::filesystem::copy(files, folder,
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing,
                              error);
        if (error) {
            return {};
        }
    }
    const std::filesystem::path target = folder / name;
    if (!CopyBeside(program, target)) {
        return {};
    }
    for (const char* name : kModules) {
        const std::filesystem::path module = program.parent_path() / name;
        if (std::filesystem::exists(module, error) &&
            !CopyBeside(module, target.parent_path() / name)) {
            return {};
        }
    }
    for (const std::filesystem::path& library : libraries) {
        if (!CopyBeside(library, target.parent_path() / library.filename())) {
            return {};
        }
    }
    return target;
}

}  // namespace platform::testing
