// The clipboard: one per process, joined to the desktop's when a display provides one. A thread
// opens it, optionally for a window; EmptyClipboard frees what it held and makes that window the
// owner. Data handed over with SetClipboardData belongs to the clipboard from then on: global
// memory blocks are freed with GlobalFree and bitmaps and palettes with DeleteObject when the
// clipboard is emptied or the format is set again. A null handle promises the data later: the
// owner is asked for it with WM_RENDERFORMAT when someone wants it.
//
// CF_TEXT (GBK), CF_OEMTEXT and CF_UNICODETEXT stand in for each other, and so do CF_BITMAP and
// CF_DIB: asking for a missing one of a pair converts what is there, and the copy made belongs
// to the clipboard too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/windows/WindowStructs.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_METAFILEPICT 3
#define CF_SYLK 4
#define CF_DIF 5
#define CF_TIFF 6
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_PALETTE 9
#define CF_PENDATA 10
#define CF_RIFF 11
#define CF_WAVE 12
#define CF_UNICODETEXT 13
#define CF_ENHMETAFILE 14
#define CF_HDROP 15
#define CF_LOCALE 16
#define CF_DIBV5 17
#define CF_OWNERDISPLAY 0x0080
#define CF_DSPTEXT 0x0081
#define CF_DSPBITMAP 0x0082
#define CF_PRIVATEFIRST 0x0200
#define CF_PRIVATELAST 0x02FF
#define CF_GDIOBJFIRST 0x0300
#define CF_GDIOBJLAST 0x03FF

#define WM_RENDERFORMAT 0x0305
#define WM_RENDERALLFORMATS 0x0306
#define WM_DESTROYCLIPBOARD 0x0307

#define ERROR_CLIPBOARD_NOT_OPEN 1418L

// FALSE (ERROR_ACCESS_DENIED) while another thread has it open.
BOOL OpenClipboard(HWND hWndNewOwner);
// FALSE (ERROR_CLIPBOARD_NOT_OPEN) unless the calling thread opened it.
BOOL CloseClipboard();
// Frees everything and makes the opening window the owner (null for none); the previous owner
// hears WM_DESTROYCLIPBOARD.
BOOL EmptyClipboard();
// The handle now held, or null (ERROR_CLIPBOARD_NOT_OPEN when not opened by this thread).
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// The clipboard keeps the handle; the caller must not free it. Needs the clipboard open.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
// The format after `format` (0 for the first) in the order they were set, converted ones last;
// 0 at the end (ERROR_SUCCESS) or when the clipboard is not open (ERROR_CLIPBOARD_NOT_OPEN).
UINT EnumClipboardFormats(UINT format);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
// 0xC000..0xFFFF, the same number for the same name in any case (the window message atoms).
UINT RegisterClipboardFormatA(LPCSTR lpszFormat);
int GetClipboardFormatNameA(UINT format, LPSTR lpszFormatName, int cchMaxCount);

namespace platform {

// What the controls' copy and paste do in one step: replace the clipboard's contents with GBK
// text owned by `owner`, or read its text (nothing when it holds none or is open elsewhere).
bool PutClipboardText(HWND owner, std::string_view text);
std::optional<std::string> ClipboardText(HWND owner);

// What crosses the desktop's clipboard: GBK text, and a picture as a packed DIB (a
// BITMAPINFOHEADER, then 32-bit bottom-up pixels).
struct DesktopContents {
    std::optional<std::string> text;
    std::optional<std::string> dib;
};

// The kinds of contents the program holding the desktop's clipboard offers.
struct DesktopFormats {
    bool text = false;
    bool picture = false;
};

// Who holds the desktop's clipboard, as far as the desktop can tell.
enum class DesktopHolder {
    // This process, or no one: the process's own contents stand.
    kThisProcess,
    kOtherProgram,
    // The holder did not answer in time, or the desktop is still busy asking for another caller.
    kNoAnswer,
};

// The desktop's clipboard, which a display provides. What this process puts on its clipboard is
// offered to the desktop when the clipboard is closed (CF_TEXT and CF_DIB, each made from its
// partner format when needed), and while another desktop program holds the desktop's clipboard,
// OpenClipboard takes that program's text in as CF_TEXT and its picture as CF_DIB, owned by no
// window (the picture is fetched only when CF_DIB or a format made from it is first read), and
// IsClipboardFormatAvailable and CountClipboardFormats answer for that program's contents without
// opening the clipboard. When the holder does not answer, OpenClipboard fails (ERROR_ACCESS_DENIED,
// as while another program has the clipboard open) and no format is available. Other formats stay
// inside the process.
class DesktopClipboard {
public:
    virtual ~DesktopClipboard() = default;
    // Offers this process's contents to the desktop; neither: this process has nothing to offer.
    virtual void Offer(DesktopContents contents) = 0;
    // With kOtherProgram, `text` receives the text of the program holding the desktop's
    // clipboard (nothing when it has none) and `formats` what it offers. May wait a short while.
    virtual DesktopHolder Foreign(std::optional<std::string>& text, DesktopFormats& formats) = 0;
    // The picture the program holding the desktop's clipboard offers now, as a packed DIB;
    // nothing when it offers none or does not answer. May wait a short while for it.
    virtual std::optional<std::string> ForeignPicture() = 0;
    // The same question for the kinds of contents only, without fetching them.
    virtual DesktopHolder ForeignFormats(DesktopFormats& formats) = 0;
};
// Null: the clipboard ends at the process's edge. The desktop clipboard must outlive its use.
void SetDesktopClipboard(DesktopClipboard* desktop);

// Closes and empties the clipboard and forgets its owner, for tests.
void ResetClipboardForTesting();

}  // namespace platform
