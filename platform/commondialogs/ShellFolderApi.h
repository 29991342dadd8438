// The shell's folder functions: item lists (PIDLs), the folder browser and the special folders.
//
// An item list here holds one item, the folder's full Windows path (GBK, without the NUL),
// followed by the empty item that ends every list; the empty list alone stands for the desktop.
// Lists are task memory: callers free them with CoTaskMemFree, ILFree or the shell's allocator
// from SHGetMalloc.
//
// Special folders map to folders under the user's home ($HOME, else the account's home folder;
// %USERPROFILE% is its Windows form, see UserProfile.h). The shell keeps most of them in the
// registry, as values of HKEY_CURRENT_USER
// "Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders" (environment strings
// expanded): a value found there moves the folder, and a missing one is written there with the
// default below (REG_EXPAND_SZ) the first time the folder is asked for, so that programs reading
// the registry themselves find the same folder.
//   CSIDL_DESKTOP, CSIDL_DESKTOPDIRECTORY  "Desktop"      %USERPROFILE%\Desktop
//   CSIDL_PERSONAL                         "Personal"     %USERPROFILE%\Documents
//   CSIDL_FAVORITES                        "Favorites"    %USERPROFILE%\Favorites
//   CSIDL_MYMUSIC                          "My Music"     %USERPROFILE%\Music
//   CSIDL_MYPICTURES                       "My Pictures"  %USERPROFILE%\Pictures
//   CSIDL_APPDATA                          "AppData"      %APPDATA% (~/.local/share)
//   CSIDL_PROGRAM_FILES                    -              %USERPROFILE%\.local\opt
//   CSIDL_PROFILE                          -              %USERPROFILE%
// Other folders are unknown.
#pragma once

#include "platform/com/Unknown.h"
#include "platform/windows/WindowStructs.h"

// clang-format off
#define CSIDL_DESKTOP 0x0000
#define CSIDL_PERSONAL 0x0005
#define CSIDL_FAVORITES 0x0006
#define CSIDL_MYMUSIC 0x000D
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_APPDATA 0x001A
#define CSIDL_PROGRAM_FILES 0x0026
#define CSIDL_MYPICTURES 0x0027
#define CSIDL_PROFILE 0x0028
#define CSIDL_FLAG_CREATE 0x8000
#define CSIDL_FLAG_MASK 0xFF00

#define BIF_RETURNONLYFSDIRS 0x0001
#define BIF_DONTGOBELOWDOMAIN 0x0002
#define BIF_STATUSTEXT 0x0004
#define BIF_RETURNFSANCESTORS 0x0008
#define BIF_EDITBOX 0x0010
#define BIF_VALIDATE 0x0020
#define BIF_NEWDIALOGSTYLE 0x0040
// clang-format on

#pragma pack(push, 1)
struct SHITEMID {
    USHORT cb;  // the item's size, this field included
    BYTE abID[1];
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
#pragma pack(pop)
using LPSHITEMID = SHITEMID*;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

using BFFCALLBACK = int(CALLBACK*)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

// The browser calls no callback: lpfn and lParam are kept for the callers' sake only.
struct BROWSEINFOA {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;  // MAX_PATH bytes: the chosen folder's name
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
using LPBROWSEINFOA = BROWSEINFOA*;
using BROWSEINFO = BROWSEINFOA;
using LPBROWSEINFO = BROWSEINFOA*;

DEFINE_GUID(IID_IMalloc, 0x00000002, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x46);

// The task allocator. Its blocks carry no size: GetSize and DidAlloc answer -1 ("cannot tell")
// for any block but null.
struct IMalloc : IUnknown {
    static constexpr const IID& kIid = IID_IMalloc;
    using Base = IUnknown;
    virtual void* Alloc(size_t size) = 0;
    virtual void* Realloc(void* block, size_t size) = 0;
    virtual void Free(void* block) = 0;
    virtual size_t GetSize(void* block) = 0;
    virtual int DidAlloc(void* block) = 0;
    virtual void HeapMinimize() = 0;

protected:
    ~IMalloc() = default;
};
using LPMALLOC = IMalloc*;

// The folder browser: a tree of folders from pidlRoot (the drive root of the current folder when
// null) with the current folder open, the title above it, OK and Cancel. The chosen folder's
// list, which the caller frees, or null when cancelled. pszDisplayName gets the folder's name
// ("C:" for a drive root).
LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA lpbi);

// The folder's path without a trailing backslash (a drive root keeps it) into MAX_PATH bytes;
// FALSE (with an empty text) for a null list or a path too long.
BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath);

// The special folder's path into MAX_PATH bytes. FALSE for an unknown folder, and for a missing
// one unless fCreate, which creates it.
BOOL SHGetSpecialFolderPathA(HWND hwnd, LPSTR pszPath, int csidl, BOOL fCreate);
// The special folder as an item list (CSIDL_DESKTOP gives the empty list); E_INVALIDARG without
// ppidl, E_FAIL for an unknown or missing folder.
HRESULT SHGetSpecialFolderLocation(HWND hwnd, int csidl, LPITEMIDLIST* ppidl);

HRESULT SHGetMalloc(LPMALLOC* ppMalloc);
void ILFree(LPITEMIDLIST pidl);

#define SHBrowseForFolder SHBrowseForFolderA
#define SHGetPathFromIDList SHGetPathFromIDListA
#define SHGetSpecialFolderPath SHGetSpecialFolderPathA
