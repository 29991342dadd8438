// The build-time resource compiler: rccompiler <script.rc> <output.cpp> [<depfile>]
// Writes a C++ source that registers the script's resources with the program, and optionally a
// Make-style dependency file listing every file the script read. Faults are reported as
// "file:line: message" with exit status 1.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/resources/RcCompiler.h"
#include "platform/resources/RcError.h"

namespace {

// Writes through a temporary file and a rename, so that an interrupted build never leaves half
// a source behind; an unchanged output keeps its time stamp and triggers no rebuild.
bool WriteWholeFile(const std::string& path, const std::string& content) {
    if (std::optional<std::string> existing = platform::ReadResourceFile(path);
        existing && *existing == content) {
        return true;
    }
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << content;
        out.close();
        if (!out) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

std::string EscapeForDepfile(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        if (c == ' ' || c == '#') {
            escaped += '\\';
        } else if (c == '$') {
            escaped += '$';
        }
        escaped += c;
    }
    return escaped;
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <script.rc> <output.cpp> [<depfile>]\n", argv[0]);
        return 2;
    }
    std::string script = argv[1];
    std::string output = argv[2];
    platform::RcCompilation compilation;
    try {
        compilation = platform::CompileResourceScript(script, platform::ReadResourceFile);
    } catch (const platform::RcError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    if (!WriteWholeFile(output, platform::GenerateResourceSource(compilation.resources))) {
        std::fprintf(stderr, "%s: cannot write the output\n", output.c_str());
        return 1;
    }
    if (argc == 4) {
        std::string rule = EscapeForDepfile(Absolute(output)) + ":";
        for (const std::string& file : compilation.files) {
            rule += " \\\n  " +
                    EscapeForDepfile(Absolute(platform::FindResourceFile(file).value_or(file)));
        }
        rule += "\n";
        if (!WriteWholeFile(argv[3], rule)) {
            std::fprintf(stderr, "%s: cannot write the dependency file\n", argv[3]);
            return 1;
        }
    }
    return 0;
}
