// Automation strings: UTF-16 text that owns a length prefix. The 32-bit byte count sits just
// before the characters and a NUL follows them, so a BSTR reads as a C string yet may hold NULs
// of its own. A null BSTR means the empty string everywhere.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/Guid.h"

using BSTR = OLECHAR*;
using LPBSTR = BSTR*;

// Null when `text` is null or memory runs out.
BSTR SysAllocString(const OLECHAR* text);
// `length` characters from `text`, or zeroed characters when `text` is null.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// `length` bytes from `bytes` (zeroed when null) plus a NUL; the byte count may be odd.
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length);
// Replace `*target` by a copy of `text`; `text` may point into `*target`. FALSE when memory runs
// out, leaving `*target` alone.
BOOL SysReAllocString(BSTR* target, const OLECHAR* text);
BOOL SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

namespace platform {

// Conversions at the boundary between the programs' GBK text and automation strings.
BSTR BstrFromGbk(std::string_view gbk);
BSTR BstrFromUtf16(std::u16string_view text);
std::string GbkFromBstr(BSTR text);
std::u16string_view ViewOfBstr(BSTR text);

}  // namespace platform
