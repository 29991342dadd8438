// Conversions between the programs' GBK text (code page 936) and UTF-8 / UTF-16, used at the edges
// only: file names on disk, glyph rendering, terminal output and the wide-character interfaces.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF8 65001

namespace platform {

inline constexpr UINT kGbkCodePage = 936;

// Bytes that cannot be converted become '?', as the original platform's conversions do.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform

// Code pages CP_ACP, CP_OEMCP and 936 mean GBK; CP_UTF8 means UTF-8. A count of -1 converts up to
// and including the terminating NUL. With an output size of 0 the needed size is returned; an
// output that is too small gives 0 and ERROR_INSUFFICIENT_BUFFER.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int byteCount, LPWSTR wide,
                        int wideCount);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR text,
                        int byteCount, LPCSTR defaultChar, BOOL* usedDefaultChar);
