// Finding and reading the program's compiled resources with the original platform's functions,
// and the parsed forms the framework builds windows, menus and accelerators from. A module handle
// is the program's own (null or GetModuleHandleA(NULL)); other modules carry no resources.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/resources/AcceleratorTable.h"
#include "platform/resources/DialogInit.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/ToolBarTemplate.h"

#ifndef MAKEINTRESOURCEA
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#endif

#ifndef RT_CURSOR
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_HTML MAKEINTRESOURCE(23)
#define RT_MANIFEST MAKEINTRESOURCE(24)
#define RT_DLGINIT MAKEINTRESOURCE(240)
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

#ifndef ERROR_RESOURCE_DATA_NOT_FOUND
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#endif
#ifndef ERROR_RESOURCE_TYPE_NOT_FOUND
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#endif
#ifndef ERROR_RESOURCE_NAME_NOT_FOUND
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#endif

// Names and types are numbers through MAKEINTRESOURCE, "#123" strings, or names matched without
// case. Not found: null with ERROR_RESOURCE_TYPE_NOT_FOUND when the program has no resource of
// that type, ERROR_RESOURCE_NAME_NOT_FOUND otherwise.
HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
// The resource's bytes, read-only, valid for the program's lifetime.
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Resources stay loaded with the program; FALSE, as on the 32-bit platform.
BOOL FreeResource(HGLOBAL hResData);
// Copies at most cchBufferMax - 1 bytes of the GBK string, never half a character, adds a NUL
// and returns the bytes copied. 0 (and an empty buffer) when the string does not exist.
int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);

// No LoadString macro: it would rename CString::LoadString in some translation units only.
#define FindResource FindResourceA

namespace platform {

// The bytes of a resource; empty when absent.
std::optional<std::span<const std::uint8_t>> FindResourceBytes(HMODULE module, LPCSTR name,
                                                               LPCSTR type);
// The whole string, for callers that size their own buffer (CString::LoadString).
std::optional<std::string> LoadResourceString(HINSTANCE instance, UINT id);
std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE instance, LPCSTR name);
std::optional<MenuTemplate> LoadMenuTemplate(HINSTANCE instance, LPCSTR name);
std::optional<std::vector<AcceleratorEntry>> LoadAcceleratorEntries(HINSTANCE instance,
                                                                    LPCSTR name);
std::optional<ToolBarTemplate> LoadToolBarTemplate(HINSTANCE instance, LPCSTR name);
// The initial combo and list box items of the dialog of the same name; empty when it has none.
std::optional<std::vector<DialogInitEntry>> LoadDialogInit(HINSTANCE instance, LPCSTR name);

}  // namespace platform
