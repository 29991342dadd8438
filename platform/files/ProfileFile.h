// The contents of an INI file as the original platform's profile functions read it: "[section]"
// lines open sections, "key=value" lines inside them give values, lines starting with ';' are
// comments. Section and key names compare ignoring case (ASCII letters, GBK-aware); names and
// values are trimmed of blanks and a value's matching surrounding quotes are removed. Where a
// section or a key repeats, the first one counts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileFile {
public:
    // Accepts any bytes; lines end at CR LF, LF or CR.
    explicit ProfileFile(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    // Empty when the section is missing.
    std::vector<std::string> KeyNames(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    const Section* Find(std::string_view section) const;

    std::vector<Section> sections_;
};

}  // namespace platform
