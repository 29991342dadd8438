// The open and save file dialogs: GetOpenFileNameA and GetSaveFileNameA over OPENFILENAMEA, as
// real modal dialogs (a folder's sub-folders and the files that match the chosen filter, a file
// name edit, the filter list, OK and Cancel) or answered by the common dialog answerer.
//
// The dialog opens in the folder of a path already in lpstrFile, else lpstrInitialDir, else the
// current folder. A typed name is taken against the folder shown: a folder opens it, a name with
// '*' or '?' becomes the list's pattern, and a name without an extension gets lpstrDefExt. Then
// OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST and (save only) OFN_OVERWRITEPROMPT are checked with
// message boxes; a refusal keeps the dialog open (an answered request ends as cancelled).
//
// The chosen full path goes to lpstrFile with nFileOffset (its name) and nFileExtension (after
// the last '.', the end of the text without one, 0 when the name ends in '.'), the name to
// lpstrFileTitle and the filter to nFilterIndex. When the path does not fit nMaxFile the call
// fails with FNERR_BUFFERTOOSMALL and the first two bytes of lpstrFile hold the size needed.
// Unless OFN_NOCHANGEDIR is set, the chosen file's folder becomes the current folder.
// Hooks, custom templates and multiple selection are not offered.
#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"
#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/windows/WindowStructs.h"

// clang-format off
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLESIZING 0x00800000
#define OFN_DONTADDTORECENT 0x02000000
#define OFN_FORCESHOWHIDDEN 0x10000000
// clang-format on

using LPOFNHOOKPROC = UINT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
using LPOPENFILENAMEA = OPENFILENAMEA*;
using OPENFILENAME = OPENFILENAMEA;
using LPOPENFILENAME = OPENFILENAMEA*;

// The size of the structure before its last three members, which older callers give.
#define OPENFILENAME_SIZE_VERSION_400A offsetof(OPENFILENAMEA, pvReserved)

// The dialog's controls, for tests that drive it.
#define FILE_DIALOG_FOLDER_TEXT 0x0440
#define FILE_DIALOG_LIST 0x0460
#define FILE_DIALOG_TYPES 0x0470
#define FILE_DIALOG_NAME 0x0480

// TRUE with the choice stored; FALSE when cancelled (CommDlgExtendedError 0) or failed
// (CDERR_STRUCTSIZE for a wrong lStructSize, CDERR_INITIALIZATION without lpstrFile or
// nMaxFile, FNERR_BUFFERTOOSMALL).
BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn);

#define GetOpenFileName GetOpenFileNameA
#define GetSaveFileName GetSaveFileNameA
