// Byte-string helpers for the programs' GBK text, with the runtime library's multibyte rules: a
// byte of 0x81..0xFE followed by another byte is one two-byte character, and its second byte
// (0x40..0xFE, which includes '\\' and the ASCII letters) is never taken for a character of its
// own. A lead byte at the very end of a text has no second byte and counts as a character alone.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

bool IsLeadByte(unsigned char byte);

// Length in bytes (1 or 2) of the character that starts at `offset`; `offset` must be inside
// `text` and at a character boundary.
size_t CharLengthAt(std::string_view text, size_t offset);

// `_mbsicmp`: ASCII letters compare without case, two-byte characters exactly (their second
// bytes are not folded); the order is that of unsigned bytes after folding. Result <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);

// `_mbscmp`: unsigned byte order, so every two-byte character sorts after ASCII.
int CompareBytes(std::string_view a, std::string_view b);

// `_strnicmp(text, prefix, prefix.size()) == 0`: byte-wise ASCII folding, as the marker-file
// readers do it.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// `_strnicmp`: at most `n` bytes, stopping at a NUL; a null pointer reads as "".
int CompareNoCaseN(const char* a, const char* b, size_t n);

// `_mbsstr` from `from` (a character boundary): a match never starts inside a two-byte character.
// An empty `what` is found at `from`. std::string_view::npos when absent or `from` is past the end.
size_t FindText(std::string_view text, std::string_view what, size_t from = 0);

// `_mbschr` / `_mbsrchr`: only single-byte characters can match, never the second byte of a
// two-byte character. npos when absent.
size_t FindChar(std::string_view text, char c, size_t from = 0);
size_t FindLastChar(std::string_view text, char c);

// Map only single-byte A-Z / a-z; the second byte of a two-byte character stays as it is.
void ToLowerAscii(std::string& text);
void ToUpperAscii(std::string& text);
void ToLowerAscii(char* text);
void ToUpperAscii(char* text);

// The largest length <= maxBytes that ends on a character boundary, found by walking characters
// from the start. A lead byte that ends the text is dropped, since its character is incomplete.
size_t CutAtCharBoundary(std::string_view text, size_t maxBytes);

// Fills a "%s" pattern read from a data file. Such patterns must never reach printf: a "%d" or a
// surplus "%s" in a file would read arguments that do not exist. Successive "%s" take `texts` in
// order ("" once they run out), "%%" becomes "%", every other "%" is copied as it is.
std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> texts);

// `atoi`, clamped to INT_MIN..INT_MAX as the original runtime does: leading white space, an
// optional sign, decimal digits up to the first other byte; 0 when there are no digits.
int ParseInt(std::string_view text);

// `CompareStringW(..., NORM_IGNOREWIDTH, ...) == CSTR_EQUAL`: full-width forms U+FF01..U+FF5E equal
// their ASCII counterparts and U+3000 equals the space; case still counts.
bool EqualIgnoringWidth(std::u16string_view a, std::u16string_view b);

}  // namespace platform
