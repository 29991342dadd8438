// What every control shares: telling the parent (WM_NOTIFY and WM_COMMAND notifications, focus
// notices), the font it draws with and the height of its lines, the lines one turn of the mouse
// wheel moves, and copying text into callers' buffers.
#pragma once

#include <string>
#include <string_view>

#include "platform/drawing/Gdi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

// Fills the header (`from`, `id` and `code`) and sends WM_NOTIFY to `target`; 0 without a target.
LRESULT SendNotifyTo(HWND target, HWND from, UINT_PTR id, NMHDR& header, UINT code);

// Fills the header (the control, its id and `code`) and sends WM_NOTIFY to the parent.
LRESULT SendNotify(HWND control, NMHDR& header, UINT code);

// Sends a notification a child sent the control on to `target` as it came; 0 without a target.
LRESULT ForwardNotify(HWND target, const NMHDR* header);

// WM_COMMAND with `id` in the low word and `code` in the high word, from `control` to `target`.
void SendCommandTo(HWND target, UINT id, HWND control, WORD code);

// WM_COMMAND with the control's id and `code` to the parent.
void SendCommandNotify(HWND control, WORD code);

// WM_SETFOCUS is the control gaining the focus, WM_KILLFOCUS losing it.
inline bool GainsFocus(UINT message) {
    return message == WM_SETFOCUS;
}

// NM_SETFOCUS or NM_KILLFOCUS to the parent.
void NotifyFocus(HWND control, bool focused);

// A tool tip window of the control's own (TTS_ALWAYSTIP) for the controls that show tips for their
// parts; null when it cannot be made.
HWND CreateOwnToolTip(HWND control);

// Hands a mouse message of the control to its tool tip (TTM_RELAYEVENT), when it has one.
void RelayToToolTip(HWND tooltip, HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// The one-pixel edge of a raised (or, `sunken`, pressed) button or frame: highlight along the top
// and left, shadow along the right and bottom (the other way round when sunken).
void DrawEdgeLines(HDC dc, const RECT& rect, bool sunken, bool withBottom = true);

// The font set with WM_SETFONT, else DEFAULT_GUI_FONT.
HFONT FontOrDefault(HFONT font);

// Height of a line of text in the font (tmHeight), measured on a memory DC; 13 where the font
// cannot be measured.
int LineHeight(HFONT font);

// Height of a line of text in the font selected into `dc`; 0 where it cannot be measured.
int LineHeight(HDC dc);

// Width of the text in the font.
int TextWidth(HFONT font, std::string_view text);

// Width of the text in the font selected into `dc`.
int TextWidth(HDC dc, std::string_view text);

// Lines to scroll for WM_MOUSEWHEEL's wParam: three a notch, forward (away from the user) positive.
int WheelLines(WPARAM wParam);

// Copies `text` into a caller's buffer of `capacity` bytes, cut at a character boundary so that
// the terminating zero fits. Returns the number of bytes copied without the zero; nothing is
// written when the buffer is null or has no room.
int CopyTextOut(std::string_view text, char* buffer, int capacity);

// The text behind a caller's pointer; "" for null.
std::string TextIn(const char* text);

// A memory DC with a font selected, for measuring text; the font is put back and the DC freed
// with the object.
class MeasuringDc {
public:
    explicit MeasuringDc(HFONT font)
        : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, FontOrDefault(font))) {}
    ~MeasuringDc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A solid brush for one fill, freed with the object.
class ScopedBrush {
public:
    explicit ScopedBrush(COLORREF color) : brush_(CreateSolidBrush(color)) {}
    ~ScopedBrush() { DeleteObject(brush_); }
    ScopedBrush(const ScopedBrush&) = delete;
    ScopedBrush& operator=(const ScopedBrush&) = delete;
    HBRUSH get() const { return brush_; }

private:
    HBRUSH brush_;
};

void FillSolid(HDC dc, const RECT& rect, COLORREF color);

}  // namespace platform
