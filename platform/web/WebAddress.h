// Addresses as the document sees them: a page's own address in its canonical form and the
// absolute address of an href or src, resolved against the document's base.
#pragma once

#include <string>
#include <string_view>

namespace platform::web {

// "C:\prog\data\main.htm" and "file://C:\prog\data2/menu.htm" become
// "file:///C:/prog/data/main.htm" and "file:///C:/prog/data2/menu.htm"; an address with a scheme
// otherwise stays as it is.
std::string CanonicalAddress(std::string_view address);

// `reference` resolved against `base` by the usual rules (scheme-relative "//host", root "/x",
// query "?q", fragment "#f", relative paths with "." and ".." removed). Backslashes count as
// slashes in file: and http: addresses. A base without a path (about:blank) resolves a relative
// reference to "about:" followed by it.
std::string ResolveAddress(std::string_view base, std::string_view reference);

// `text` with each %XX escape (two hexadecimal digits) replaced by its byte; a "%" without two
// digits after it stays as it is.
std::string PercentDecoded(std::string_view text);

}  // namespace platform::web
