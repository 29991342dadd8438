// The rebar ("ReBarWindow32"): bands laid out in rows across the width of its parent, each with
// an optional gripper, text and image and a child window that the rebar moves into the band. A
// band with RBBS_BREAK starts a new row; hidden bands take no room.
#pragma once

#include "platform/controls/CommonControls.h"
#include "platform/drawing/ImageListApi.h"

#define REBARCLASSNAMEA "ReBarWindow32"
#define REBARCLASSNAME REBARCLASSNAMEA

#define RBS_TOOLTIPS 0x0100
#define RBS_VARHEIGHT 0x0200
#define RBS_BANDBORDERS 0x0400
#define RBS_FIXEDORDER 0x0800
#define RBS_REGISTERDROP 0x1000
#define RBS_AUTOSIZE 0x2000
#define RBS_VERTICALGRIPPER 0x4000
#define RBS_DBLCLKTOGGLE 0x8000

#define RBBS_BREAK 0x00000001
#define RBBS_FIXEDSIZE 0x00000002
#define RBBS_CHILDEDGE 0x00000004
#define RBBS_HIDDEN 0x00000008
#define RBBS_NOVERT 0x00000010
#define RBBS_FIXEDBMP 0x00000020
#define RBBS_VARIABLEHEIGHT 0x00000040
#define RBBS_GRIPPERALWAYS 0x00000080
#define RBBS_NOGRIPPER 0x00000100
#define RBBS_USECHEVRON 0x00000200
#define RBBS_HIDETITLE 0x00000400
#define RBBS_TOPALIGN 0x00000800

#define RBBIM_STYLE 0x00000001
#define RBBIM_COLORS 0x00000002
#define RBBIM_TEXT 0x00000004
#define RBBIM_IMAGE 0x00000008
#define RBBIM_CHILD 0x00000010
#define RBBIM_CHILDSIZE 0x00000020
#define RBBIM_SIZE 0x00000040
#define RBBIM_BACKGROUND 0x00000080
#define RBBIM_ID 0x00000100
#define RBBIM_IDEALSIZE 0x00000200
#define RBBIM_LPARAM 0x00000400
#define RBBIM_HEADERSIZE 0x00000800

#define RBIM_IMAGELIST 0x00000001

#define RB_INSERTBANDA (WM_USER + 1)
#define RB_INSERTBAND RB_INSERTBANDA
#define RB_DELETEBAND (WM_USER + 2)
#define RB_GETBARINFO (WM_USER + 3)
#define RB_SETBARINFO (WM_USER + 4)
#define RB_SETBANDINFOA (WM_USER + 6)
#define RB_SETBANDINFO RB_SETBANDINFOA
#define RB_SETPARENT (WM_USER + 7)
#define RB_HITTEST (WM_USER + 8)
#define RB_GETRECT (WM_USER + 9)
#define RB_GETBANDCOUNT (WM_USER + 12)
#define RB_GETROWCOUNT (WM_USER + 13)
#define RB_GETROWHEIGHT (WM_USER + 14)
#define RB_IDTOINDEX (WM_USER + 16)
#define RB_SETBKCOLOR (WM_USER + 19)
#define RB_GETBKCOLOR (WM_USER + 20)
#define RB_SETTEXTCOLOR (WM_USER + 21)
#define RB_GETTEXTCOLOR (WM_USER + 22)
#define RB_SIZETORECT (WM_USER + 23)
#define RB_GETBARHEIGHT (WM_USER + 27)
#define RB_GETBANDINFOA (WM_USER + 29)
#define RB_GETBANDINFO RB_GETBANDINFOA
#define RB_MINIMIZEBAND (WM_USER + 30)
#define RB_MAXIMIZEBAND (WM_USER + 31)
#define RB_GETBANDBORDERS (WM_USER + 34)
#define RB_SHOWBAND (WM_USER + 35)

#define RBN_HEIGHTCHANGE (RBN_FIRST - 0)
#define RBN_AUTOSIZE (RBN_FIRST - 3)

#define RBHT_NOWHERE 0x0001
#define RBHT_CAPTION 0x0002
#define RBHT_CLIENT 0x0003
#define RBHT_GRABBER 0x0004

struct REBARINFO {
    UINT cbSize;
    UINT fMask;
    HIMAGELIST himl;
};

struct REBARBANDINFOA {
    UINT cbSize;
    UINT fMask;
    UINT fStyle;
    COLORREF clrFore;
    COLORREF clrBack;
    LPSTR lpText;
    UINT cch;
    int iImage;
    HWND hwndChild;
    UINT cxMinChild;
    UINT cyMinChild;
    UINT cx;
    HBITMAP hbmBack;
    UINT wID;
    UINT cyChild;
    UINT cyMaxChild;
    UINT cyIntegral;
    UINT cxIdeal;
    LPARAM lParam;
    UINT cxHeader;
};
using REBARBANDINFO = REBARBANDINFOA;
using LPREBARBANDINFOA = REBARBANDINFOA*;
// The size of the structure before it grew the variable-height, ideal-size and header fields.
#define REBARBANDINFOA_V3_SIZE offsetof(REBARBANDINFOA, cyChild)

struct RBHITTESTINFO {
    POINT pt;
    UINT flags;
    int iBand;
};

struct NMRBAUTOSIZE {
    NMHDR hdr;
    BOOL fChanged;
    RECT rcTarget;
    RECT rcActual;
};

namespace platform {

void RegisterReBarClass();

}  // namespace platform
