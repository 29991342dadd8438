// The character set of page bytes: found from a byte-order mark or a <meta> declaration near the
// start, or given by the host (the document's charset property), and the decode into the UTF-8
// the document model holds.
#pragma once

#include <string>
#include <string_view>

namespace platform::web {

// The charset of pages that declare none: the system's code page 936.
inline constexpr std::string_view kDefaultCharset = "gb2312";

// The declared charset in lower case ("utf-8", "gb2312", ...), or "" when the first 1024 bytes
// declare none. A UTF-8 byte-order mark counts as "utf-8".
std::string SniffCharset(std::string_view bytes);

// Decodes `bytes` in `charset` to UTF-8; bytes that do not decode become '?'. Names the system
// does not know decode as the default charset; "_autodetect" picks UTF-8 when the bytes are valid
// UTF-8 and the default otherwise. A UTF-8 byte-order mark is dropped.
std::string DecodePage(std::string_view bytes, std::string_view charset);

}  // namespace platform::web
