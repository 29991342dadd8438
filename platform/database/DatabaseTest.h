// Test support for what the database layer writes: a query run on the file through the sqlite3
// command-line tool, which reads it independently of the layer under test, and the SQLite ODBC
// driver that the ODBC tests connect through.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace platform::testing {

// The rows of the query as the tool prints them ("a|b" lines); nullopt when the tool is not
// installed.
inline std::optional<std::string> QueryWithSqlite3(const std::filesystem::path& file,
                                                   const std::string& sql) {
    if (std::system("command -v sqlite3 > /dev/null 2>&1") != 0) {
        return std::nullopt;
    }
    const std::string command =
        "sqlite3 -batch -separator '|' '" + file.string() + "' \"" + sql + "\"";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string output;
    char buffer[256];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, count);
    }
    pclose(pipe);
    return output;
}

// The SQLite ODBC driver from Debian's packages; an empty path when it is not installed.
inline std::filesystem::path SqliteOdbcDriver() {
    for (const char* folder :
         {"/usr/lib/x86_64-linux-gnu/odbc", "/usr/lib/aarch64-linux-gnu/odbc", "/usr/lib/odbc"}) {
        const std::filesystem::path driver = std::filesystem::path(folder) / "libsqlite3odbc.so";
        if (std::filesystem::exists(driver)) {
            return driver;
        }
    }
    return {};
}

}  // namespace platform::testing
