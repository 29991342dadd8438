// Program folders for tests that start a program in a process of its own, laid out as
// scripts/run.sh lays out the real one.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace platform::testing {

// Lays out `folder`: the files that come with the program (`files`, a tree such as
// programfolder/dv, copied whole; none when empty), the built `program` as `name`, beside it the
// desktop module and the page engine's module built beside the program (which the program loads
// on a desktop), and the built
// `libraries` under their own names. Returns the program's path in the folder; empty when a copy
// failed.
std::filesystem::path LayOutProgramFolder(const std::filesystem::path& folder,
                                          const std::filesystem::path& files,
                                          const std::filesystem::path& program,
                                          const std::string& name,
                                          const std::vector<std::filesystem::path>& libraries = {});

}  // namespace platform::testing
