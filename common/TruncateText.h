// Cutting a text to a display width, as menus and lists show long entries.
#pragma once

#include "platform/text/CString.h"

// Cuts `text` in place when it is longer than `width` bytes: whole characters are kept (a byte of
// 0x80 or more opens a two-byte character) until width - 4 bytes or more are kept, then "..." is
// appended, so the result is width - 1 or width bytes long and never splits a character.
// At least one character stays; for widths below 5 that character and the dots may pass the
// width, and when they would not even fit in the text's own bytes the text is left alone.
// Returns 0 when the text was cut, 1 when it was left unchanged.
int TruncateText(char* text, int width);
int TruncateText(CString& text, int width);
