// The edit control ("Edit"): single- and multi-line text entry over GBK bytes, with the original
// platform's styles, messages and notifications.
//
// Text limits count characters, as the control does on a Chinese system: a two-byte character
// takes one place of the limit, so a limit of 40 admits 40 ASCII letters or 40 Chinese characters
// (80 bytes); what does not fit is refused (EN_MAXTEXT), never split inside a character. The limit
// binds what the user types or pastes and EM_REPLACESEL; WM_SETTEXT is never cut.
//
// Multi-line text breaks lines at CR LF only. Without ES_AUTOHSCROLL a multi-line edit also wraps
// at word boundaries (a word wider than the line breaks between characters). Line numbers,
// EM_LINEINDEX and EM_GETLINECOUNT count the lines as shown, wrapped ones included.
//
// WM_SETTEXT sends EN_UPDATE and EN_CHANGE for a single-line edit, none for a multi-line one;
// every change by the user, EM_REPLACESEL, EM_UNDO and the clipboard messages send EN_UPDATE and
// then EN_CHANGE once the text has changed.
//
// Keys are those of the classic control: arrows, Home, End, Page Up and Down (Ctrl moves by words
// or to either end, Shift selects), Backspace, Delete, Ctrl+C/X/V/Z and Ctrl/Shift+Insert,
// Shift+Delete; Ctrl+A selects nothing. Undo keeps one step, which a second undo takes back;
// consecutive typing is one step. A password edit never copies or cuts its text.
#pragma once

#include "platform/windows/WindowStructs.h"

#define ES_LEFT 0x0000L
#define ES_CENTER 0x0001L
#define ES_RIGHT 0x0002L
#define ES_MULTILINE 0x0004L
#define ES_UPPERCASE 0x0008L
#define ES_LOWERCASE 0x0010L
#define ES_PASSWORD 0x0020L
#define ES_AUTOVSCROLL 0x0040L
#define ES_AUTOHSCROLL 0x0080L
#define ES_NOHIDESEL 0x0100L
#define ES_OEMCONVERT 0x0400L
#define ES_READONLY 0x0800L
#define ES_WANTRETURN 0x1000L
#define ES_NUMBER 0x2000L

#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define EN_ERRSPACE 0x0500
#define EN_MAXTEXT 0x0501
#define EN_HSCROLL 0x0601
#define EN_VSCROLL 0x0602

#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1
#define EM_GETRECT 0x00B2
#define EM_SETRECT 0x00B3
#define EM_SETRECTNP 0x00B4
#define EM_SCROLL 0x00B5
#define EM_LINESCROLL 0x00B6
#define EM_SCROLLCARET 0x00B7
#define EM_GETMODIFY 0x00B8
#define EM_SETMODIFY 0x00B9
#define EM_GETLINECOUNT 0x00BA
#define EM_LINEINDEX 0x00BB
#define EM_SETHANDLE 0x00BC
#define EM_GETHANDLE 0x00BD
#define EM_GETTHUMB 0x00BE
#define EM_LINELENGTH 0x00C1
#define EM_REPLACESEL 0x00C2
#define EM_GETLINE 0x00C4
#define EM_LIMITTEXT 0x00C5
#define EM_CANUNDO 0x00C6
#define EM_UNDO 0x00C7
#define EM_FMTLINES 0x00C8
#define EM_LINEFROMCHAR 0x00C9
#define EM_SETTABSTOPS 0x00CB
#define EM_SETPASSWORDCHAR 0x00CC
#define EM_EMPTYUNDOBUFFER 0x00CD
#define EM_GETFIRSTVISIBLELINE 0x00CE
#define EM_SETREADONLY 0x00CF
#define EM_SETWORDBREAKPROC 0x00D0
#define EM_GETWORDBREAKPROC 0x00D1
#define EM_GETPASSWORDCHAR 0x00D2
#define EM_SETMARGINS 0x00D3
#define EM_GETMARGINS 0x00D4
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_GETLIMITTEXT 0x00D5
#define EM_POSFROMCHAR 0x00D6
#define EM_CHARFROMPOS 0x00D7

namespace platform {

// Registers the "Edit" class (idempotent).
void RegisterEditClass();

}  // namespace platform
