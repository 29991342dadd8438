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

struct EditState {
    EditState(HWND window, const CREATESTRUCTA& create);
    ~EditState();
    EditState(const EditState&) = delete;
    EditState& operator=(const EditState&) = delete;
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
EditState* StateOf(HWND hwnd);
DWORD StyleOf(HWND hwnd);
void Notify(HWND hwnd, WORD code);
HFONT FontOf(const EditState& state);
int LineHeight(const EditState& state);
int AverageCharWidth(const EditState& state);
int TextWidth(const EditState& state, std::string_view text);
RECT ClientOf(HWND hwnd);
int FormatWidth(HWND hwnd);
int VisibleLines(HWND hwnd, const EditState& state);
bool Wraps(DWORD style);
void Relayout(HWND hwnd, EditState& state);
POINT PositionOf(HWND hwnd, const EditState& state, size_t offset);
size_t OffsetAtPoint(HWND hwnd, const EditState& state, int x, int y);
void PlaceCaret(HWND hwnd, const EditState& state);
void Redraw(HWND hwnd, EditState& state);
// Shows the lines and the columns on the bars the edit was made with.
void UpdateScrollBars(HWND hwnd, EditState& state);
void ScrollToCaret(HWND hwnd, EditState& state);
// Scrolls a multi-line edit to `firstLine` (clamped); returns the number of lines moved.
int ScrollLines(HWND hwnd, EditState& state, int firstLine);
void ScrollColumns(HWND hwnd, EditState& state, int xOffset);
int VerticalTarget(HWND hwnd, const EditState& state, int code, int thumb);
void Paint(HWND hwnd, EditState& state);

// Editing and input.
void SyncWindowText(HWND hwnd, const EditState& state);
std::string Converted(DWORD style, std::string_view text);
// Inserts what the user typed or pasted, or what EM_REPLACESEL gives, with the limit's rule.
void Insert(HWND hwnd, EditState& state, std::string_view insert, bool typing);
void DeleteSelection(HWND hwnd, EditState& state);
bool ReadOnly(HWND hwnd);
void Copy(HWND hwnd, const EditState& state);
void Cut(HWND hwnd, EditState& state);
void Paste(HWND hwnd, EditState& state);
void Undo(HWND hwnd, EditState& state);
void MoveCaret(HWND hwnd, EditState& state, size_t to, bool extend);
void Character(HWND hwnd, EditState& state, unsigned char byte);
void KeyPressed(HWND hwnd, EditState& state, WPARAM key);
void VerticalScroll(HWND hwnd, EditState& state, int code, int thumb);
void HorizontalScroll(HWND hwnd, EditState& state, int code, int thumb);
void MouseDown(HWND hwnd, EditState& state, LPARAM lParam, bool extend);
void SelectWordAt(HWND hwnd, EditState& state, LPARAM lParam);

}  // namespace platform::edit
