// What the edit control's files share: the state of one edit window, its geometry and painting
// (EditView.cpp) and its editing and input (EditInput.cpp). The window procedure is in Edit.cpp.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls/EditText.h"
#include "platform/controls/ScrollBarSync.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/drawing/Gdi.h"
#include "platform/windows/WindowStructs.h"

namespace platform::edit {

constexpr int kMargin = 1;

struct EditControl {
    EditControl(HWND window, const CREATESTRUCTA& create);
    ~EditControl();
    EditControl(const EditControl&) = delete;
    EditControl& operator=(const EditControl&) = delete;
    // The window procedure's answer (Edit.cpp).
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd;
    EditText text;
    HFONT font = nullptr;
    // A memory DC holding the font, for measuring text outside of painting.
    HDC measure = nullptr;
    char passwordChar = 0;
    int firstLine = 0;
    int xOffset = 0;
    bool focused = false;
    bool tracking = false;
    // The first byte of a two-byte character typed with WM_CHAR, waiting for its second.
    int pendingLead = -1;
    // The window bars a multi-line edit was made with (WS_HSCROLL, WS_VSCROLL): they stay, greyed
    // while everything fits.
    DWORD bars = 0;
    ScrollBarSync scrollBars;
};

// Geometry, scrolling and painting.
EditControl* StateOf(HWND hwnd);
DWORD StyleOf(HWND hwnd);
HFONT FontOf(const EditControl& state);
int LineHeight(const EditControl& state);
int AverageCharWidth(const EditControl& state);
int TextWidth(const EditControl& state, std::string_view text);
RECT ClientOf(HWND hwnd);
int FormatWidth(HWND hwnd);
int VisibleLines(HWND hwnd, const EditControl& state);
bool Wraps(DWORD style);
void Relayout(HWND hwnd, EditControl& state);
POINT PositionOf(HWND hwnd, const EditControl& state, size_t offset);
size_t OffsetAtPoint(HWND hwnd, const EditControl& state, int x, int y);
void PlaceCaret(HWND hwnd, const EditControl& state);
void Redraw(HWND hwnd, EditControl& state);
// Shows the lines and the columns on the bars the edit was made with.
void UpdateScrollBars(HWND hwnd, EditControl& state);
void ScrollToCaret(HWND hwnd, EditControl& state);
// Scrolls a multi-line edit to `firstLine` (clamped); returns the number of lines moved.
int ScrollLines(HWND hwnd, EditControl& state, int firstLine);
void ScrollColumns(HWND hwnd, EditControl& state, int xOffset);
int VerticalTarget(HWND hwnd, const EditControl& state, int code, int thumb);
void Paint(HWND hwnd, EditControl& state);

// Editing and input.
void SyncWindowText(HWND hwnd, const EditControl& state);
std::string Converted(DWORD style, std::string_view text);
// Inserts what the user typed or pasted, or what EM_REPLACESEL gives, with the limit's rule.
void Insert(HWND hwnd, EditControl& state, std::string_view insert, bool typing);
void DeleteSelection(HWND hwnd, EditControl& state);
bool ReadOnly(HWND hwnd);
void Copy(HWND hwnd, const EditControl& state);
void Cut(HWND hwnd, EditControl& state);
void Paste(HWND hwnd, EditControl& state);
void Undo(HWND hwnd, EditControl& state);
void MoveCaret(HWND hwnd, EditControl& state, size_t to, bool extend);
void Character(HWND hwnd, EditControl& state, unsigned char byte);
void KeyPressed(HWND hwnd, EditControl& state, WPARAM key);
void VerticalScroll(HWND hwnd, EditControl& state, int code, int thumb);
void HorizontalScroll(HWND hwnd, EditControl& state, int code, int thumb);
void MouseDown(HWND hwnd, EditControl& state, LPARAM lParam, bool extend);
void SelectWordAt(HWND hwnd, EditControl& state, LPARAM lParam);

}  // namespace platform::edit
