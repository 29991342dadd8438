// A connection string: "key=value" pairs separated by ';'. Keys compare ignoring ASCII case and
// surrounding blanks; a value may be quoted with '"' or '\'' (a doubled quote inside stands for
// one) to hold ';' or blanks of its own, and is otherwise trimmed. When a key repeats, its first
// value counts. A part without '=' is ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

class ConnectionString {
public:
    explicit ConnectionString(std::u16string_view text);

    // The value of `key` (given in lower case), or nullopt when it is absent.
    std::optional<std::u16string> Find(std::u16string_view key) const;

    // Whether the string names an ODBC driver or data source name rather than a file.
    bool NamesOdbcSource() const;
    // The database file from "Data Source", "Database" or "DBQ", in that order; nullopt when
    // none is given or it is empty.
    std::optional<std::u16string> DatabaseFile() const;

private:
    // Keys folded to lower case, in the order they appear.
    std::vector<std::pair<std::u16string, std::u16string>> pairs_;
};

}  // namespace platform
