// The filter of a file dialog: pairs of a description and its patterns ("*.htm;*.html"), given
// as one block of NUL-ended texts that ends with an empty text.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

class FileFilter {
public:
    using Pair = std::pair<std::string, std::string>;

    // A description without its patterns is dropped; a null block gives no pairs.
    static std::vector<Pair> Parse(const char* block);

    // The patterns of a "*.a;*.b" list, without blanks around them; empty ones are skipped.
    static std::vector<std::string> Patterns(std::string_view list);

    // Whether `name` matches one of the patterns (GBK-aware, ignoring ASCII case).
    static bool Matches(std::string_view list, std::string_view name);
};

}  // namespace platform
