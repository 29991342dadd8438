// What the list view, header, tree view and rich edit share: sending notifications to the parent,
// the font they draw with, and copying text into callers' buffers.
#pragma once

#include <string>
#include <string_view>

#include "platform/drawing/Gdi.h"
#include "platform/windows/WindowApi.h"

namespace platform::views {

// Fills the header (the control, its id and `code`) and sends WM_NOTIFY to the parent.
LRESULT SendNotify(HWND control, NMHDR& header, UINT code);

// WM_COMMAND with the control's id and `code` in the high word.
void SendCommandNotify(HWND control, UINT code);

// The font set with WM_SETFONT, else DEFAULT_GUI_FONT.
HFONT FontOrDefault(HFONT font);

// Height of a line of text in the font (tmHeight), measured on a memory DC.
int LineHeight(HFONT font);

// Width of the text in the font.
int TextWidth(HFONT font, std::string_view text);

// Copies `text` into a caller's buffer of `capacity` bytes, cut at a character boundary so that
// the terminating zero fits. Returns the number of bytes copied without the zero; nothing is
// written when the buffer is null or has no room.
int CopyTextOut(std::string_view text, char* buffer, int capacity);

// The text behind a caller's pointer; "" for null.
std::string TextIn(const char* text);

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

}  // namespace platform::views
