// The font dialog: ChooseFontA over CHOOSEFONTA, as a real modal dialog (face, style and size
// lists, with CF_EFFECTS the strike-out and underline boxes and the colour list, a sample, OK and
// Cancel) or answered by the common dialog answerer.
//
// CF_INITTOLOGFONTSTRUCT starts from *lpLogFont (and, with CF_EFFECTS, rgbColors); otherwise from
// 宋体 9 pt regular. CF_LIMITSIZE keeps the sizes within nSizeMin..nSizeMax. On OK the chosen
// font goes to *lpLogFont (its height in the screen's pixels), iPointSize gets tenths of a point,
// nFontType the screen and style bits, rgbColors the colour (CF_EFFECTS only) and lpszStyle the
// style name (CF_USESTYLE). Hooks and custom templates are not offered.
#pragma once

#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/windows/WindowStructs.h"

// clang-format off
#define CF_SCREENFONTS 0x00000001
#define CF_PRINTERFONTS 0x00000002
#define CF_BOTH (CF_SCREENFONTS | CF_PRINTERFONTS)
#define CF_SHOWHELP 0x00000004
#define CF_ENABLEHOOK 0x00000008
#define CF_ENABLETEMPLATE 0x00000010
#define CF_ENABLETEMPLATEHANDLE 0x00000020
#define CF_INITTOLOGFONTSTRUCT 0x00000040
#define CF_USESTYLE 0x00000080
#define CF_EFFECTS 0x00000100
#define CF_APPLY 0x00000200
#define CF_ANSIONLY 0x00000400
#define CF_NOVECTORFONTS 0x00000800
#define CF_NOSIMULATIONS 0x00001000
#define CF_LIMITSIZE 0x00002000
#define CF_FIXEDPITCHONLY 0x00004000
#define CF_FORCEFONTEXIST 0x00010000
#define CF_SCALABLEONLY 0x00020000
#define CF_TTONLY 0x00040000
#define CF_NOFACESEL 0x00080000
#define CF_NOSTYLESEL 0x00100000
#define CF_NOSIZESEL 0x00200000

#define SIMULATED_FONTTYPE 0x8000
#define PRINTER_FONTTYPE 0x4000
#define SCREEN_FONTTYPE 0x2000
#define BOLD_FONTTYPE 0x0100
#define ITALIC_FONTTYPE 0x0200
#define REGULAR_FONTTYPE 0x0400
// clang-format on

using LPCFHOOKPROC = UINT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct CHOOSEFONTA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LPLOGFONTA lpLogFont;
    INT iPointSize;
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    LPCFHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    HINSTANCE hInstance;
    LPSTR lpszStyle;
    WORD nFontType;
    WORD ___MISSING_ALIGNMENT__;
    INT nSizeMin;
    INT nSizeMax;
};
using LPCHOOSEFONTA = CHOOSEFONTA*;
using CHOOSEFONT = CHOOSEFONTA;
using LPCHOOSEFONT = CHOOSEFONTA*;

// The dialog's controls, for tests that drive it.
#define FONT_DIALOG_STRIKEOUT 0x0410
#define FONT_DIALOG_UNDERLINE 0x0411
#define FONT_DIALOG_SAMPLE 0x0444
#define FONT_DIALOG_FACES 0x0470
#define FONT_DIALOG_STYLES 0x0471
#define FONT_DIALOG_SIZES 0x0472
#define FONT_DIALOG_COLORS 0x0473

// TRUE with the choice stored; FALSE when cancelled (CommDlgExtendedError 0) or failed
// (CDERR_STRUCTSIZE, CDERR_INITIALIZATION without lpLogFont, CFERR_NOFONTS without
// CF_SCREENFONTS or CF_PRINTERFONTS, CFERR_MAXLESSTHANMIN for CF_LIMITSIZE with nSizeMax below
// nSizeMin).
BOOL ChooseFontA(LPCHOOSEFONTA lpcf);

#define ChooseFont ChooseFontA
