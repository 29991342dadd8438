#include "platform/controls/Edit.h"

#include <cstring>

#include "platform/controls/Caret.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ControlWindow.h"
#include "platform/controls/EditControl.h"
#include "platform/controls/EditDialogCode.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

using namespace edit;

constexpr size_t kSingleLineMaximum = 0x7FFFFFFE;
constexpr size_t kMultiLineMaximum = 0xFFFFFFFF;

// The caret lives while the edit has the focus.
void FocusChanged(HWND hwnd, EditControl& state, bool focused) {
    state.focused = focused;
    if (focused) {
        CreateCaret(hwnd, nullptr, 1, LineHeight(state));
        PlaceCaret(hwnd, state);
        ShowCaret(hwnd);
    } else {
        state.pendingLead = -1;
        DestroyCaret();
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    SendCommandNotify(hwnd, focused ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT GetLine(const EditControl& state, WPARAM line, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (out == nullptr) {
        return 0;
    }
    WORD capacity = 0;
    std::memcpy(&capacity, out, sizeof(capacity));
    const int index = state.text.multiline() ? static_cast<int>(line) : 0;
    const std::string_view text = state.text.LineText(index);
    const size_t length = CutAtCharBoundary(text, capacity);
    if (length > 0) {
        std::memcpy(out, text.data(), length);
    }
    return static_cast<LRESULT>(length);
}

LRESULT LineLength(const EditControl& state, WPARAM wParam) {
    const EditText& text = state.text;
    if (!text.multiline()) {
        return static_cast<LRESULT>(text.text().size());
    }
    const auto& lines = text.lines();
    if (static_cast<int>(wParam) == -1) {
        const EditText::Selection range = text.selection();
        const EditText::Line& first = lines[static_cast<size_t>(text.LineFromOffset(range.start))];
        const EditText::Line& last = lines[static_cast<size_t>(text.LineFromOffset(range.end))];
        return static_cast<LRESULT>((range.start - first.start) +
                                    (last.start + last.length - range.end));
    }
    return static_cast<LRESULT>(lines[static_cast<size_t>(text.LineFromOffset(wParam))].length);
}

LRESULT LineIndex(const EditControl& state, WPARAM wParam) {
    const EditText& text = state.text;
    const int line = static_cast<int>(wParam) == -1 ? text.LineFromOffset(text.caret())
                                                    : static_cast<int>(wParam);
    if (line < 0 || line >= text.LineCount()) {
        return -1;
    }
    return static_cast<LRESULT>(text.lines()[static_cast<size_t>(line)].start);
}

LRESULT SetSelection(HWND hwnd, EditControl& state, WPARAM wParam, LPARAM lParam) {
    const auto start = static_cast<int>(wParam);
    const auto end = static_cast<int>(lParam);
    const size_t size = state.text.text().size();
    if (start == -1) {
        state.text.Select(state.text.caret(), state.text.caret());
    } else {
        state.text.Select(start < 0 ? size : static_cast<size_t>(start),
                          end < 0 ? size : static_cast<size_t>(end));
    }
    Redraw(hwnd, state);
    return 0;
}

LRESULT GetSelection(const EditControl& state, WPARAM wParam, LPARAM lParam) {
    const EditText::Selection range = state.text.selection();
    if (auto* start = reinterpret_cast<DWORD*>(wParam)) {
        *start = static_cast<DWORD>(range.start);
    }
    if (auto* end = reinterpret_cast<DWORD*>(lParam)) {
        *end = static_cast<DWORD>(range.end);
    }
    if (range.end > 0xFFFF) {
        return -1;
    }
    return MAKELRESULT(range.start, range.end);
}

LRESULT LimitText(EditControl& state, WPARAM wParam) {
    if (wParam == 0) {
        state.text.SetLimit(state.text.multiline() ? kMultiLineMaximum : kSingleLineMaximum);
    } else {
        state.text.SetLimit(static_cast<size_t>(static_cast<DWORD>(wParam)));
    }
    return 0;
}

LRESULT SetPasswordChar(HWND hwnd, EditControl& state, WPARAM wParam) {
    if (state.text.multiline()) {
        return 0;
    }
    state.passwordChar = static_cast<char>(wParam);
    const DWORD style = StyleOf(hwnd);
    SetWindowLongA(
        hwnd, GWL_STYLE,
        static_cast<LONG>(state.passwordChar != 0 ? style | ES_PASSWORD : style & ~ES_PASSWORD));
    Relayout(hwnd, state);
    Redraw(hwnd, state);
    return 0;
}

LRESULT LineScroll(HWND hwnd, EditControl& state, WPARAM wParam, LPARAM lParam) {
    if (!state.text.multiline()) {
        return FALSE;
    }
    if (!Wraps(StyleOf(hwnd))) {
        ScrollColumns(hwnd, state,
                      state.xOffset + static_cast<int>(wParam) * AverageCharWidth(state));
    }
    ScrollLines(hwnd, state, state.firstLine + static_cast<int>(lParam));
    return TRUE;
}

LRESULT PositionFromChar(HWND hwnd, const EditControl& state, WPARAM wParam) {
    if (wParam >= state.text.text().size()) {
        return -1;
    }
    const POINT at = PositionOf(hwnd, state, wParam);
    return MAKELRESULT(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
}

LRESULT CharFromPosition(HWND hwnd, const EditControl& state, LPARAM lParam) {
    const size_t offset = OffsetAtPoint(hwnd, state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return MAKELRESULT(offset, state.text.LineFromOffset(offset));
}

LRESULT FirstVisible(const EditControl& state) {
    if (state.text.multiline()) {
        return state.firstLine;
    }
    return static_cast<LRESULT>(state.text.OffsetAtX(0, state.xOffset));
}

void Create(HWND hwnd, const CREATESTRUCTA& create) {
    EditControl& state = *StateOf(hwnd);
    state.measure = CreateCompatibleDC(nullptr);
    SelectObject(state.measure, FontOf(state));
    if ((create.style & ES_PASSWORD) && !(create.style & ES_MULTILINE)) {
        state.passwordChar = '*';
    }
    Relayout(hwnd, state);
    state.text.SetText(Converted(static_cast<DWORD>(create.style),
                                 create.lpszName != nullptr ? create.lpszName : ""));
    SyncWindowText(hwnd, state);
    UpdateScrollBars(hwnd, state);
}

void SetText(HWND hwnd, EditControl& state, LPCSTR text) {
    state.text.SetText(Converted(StyleOf(hwnd), text != nullptr ? text : ""));
    state.firstLine = 0;
    state.xOffset = 0;
    state.pendingLead = -1;
    SyncWindowText(hwnd, state);
    Redraw(hwnd, state);
    if (!state.text.multiline()) {
        SendCommandNotify(hwnd, EN_UPDATE);
        SendCommandNotify(hwnd, EN_CHANGE);
    }
}

void SetFont(HWND hwnd, EditControl& state, WPARAM wParam, LPARAM lParam) {
    state.font = reinterpret_cast<HFONT>(wParam);
    SelectObject(state.measure, FontOf(state));
    Relayout(hwnd, state);
    if (state.focused) {
        CreateCaret(hwnd, nullptr, 1, LineHeight(state));
        ShowCaret(hwnd);
    }
    PlaceCaret(hwnd, state);
    if (LOWORD(lParam)) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

LRESULT Dispatch(HWND hwnd, EditControl& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Create(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_SETTEXT:
            SetText(hwnd, state, reinterpret_cast<LPCSTR>(lParam));
            return TRUE;
        case WM_SETFONT:
            SetFont(hwnd, state, wParam, lParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.font);
        case WM_SIZE:
        case WM_STYLECHANGED:
            Relayout(hwnd, state);
            ScrollToCaret(hwnd, state);
            return 0;
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(hwnd, state);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            FocusChanged(hwnd, state, GainsFocus(message));
            return 0;
        case WM_GETDLGCODE:
            return EditDialogCode(StyleOf(hwnd), lParam);
        case WM_CHAR:
            Character(hwnd, state, static_cast<unsigned char>(wParam));
            return 0;
        case WM_KEYDOWN:
            KeyPressed(hwnd, state, wParam);
            return 0;
        case WM_LBUTTONDOWN:
            MouseDown(hwnd, state, lParam, (wParam & MK_SHIFT) != 0);
            return 0;
        case WM_LBUTTONDBLCLK:
            SelectWordAt(hwnd, state, lParam);
            return 0;
        case WM_MOUSEMOVE:
            if (state.tracking) {
                MoveCaret(hwnd, state,
                          OffsetAtPoint(hwnd, state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)),
                          true);
            }
            return 0;
        case WM_LBUTTONUP:
            if (state.tracking) {
                state.tracking = false;
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            state.tracking = false;
            return 0;
        case WM_MOUSEWHEEL:
            if (state.text.multiline()) {
                SendCommandNotify(hwnd, EN_VSCROLL);
                ScrollLines(hwnd, state, state.firstLine - WheelLines(wParam));
            }
            return 0;
        case WM_VSCROLL:
            VerticalScroll(hwnd, state, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
            return 0;
        case WM_HSCROLL:
            HorizontalScroll(hwnd, state, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
            return 0;
        case WM_COPY:
            Copy(hwnd, state);
            return 0;
        case WM_CUT:
            Cut(hwnd, state);
            return 0;
        case WM_PASTE:
            Paste(hwnd, state);
            return 0;
        case WM_CLEAR:
            if (!ReadOnly(hwnd)) {
                DeleteSelection(hwnd, state);
            }
            return 0;
        case WM_UNDO:
        case EM_UNDO: {
            const bool undone = state.text.CanUndo();
            Undo(hwnd, state);
            return undone ? TRUE : FALSE;
        }
        case EM_GETSEL:
            return GetSelection(state, wParam, lParam);
        case EM_SETSEL:
            return SetSelection(hwnd, state, wParam, lParam);
        case EM_REPLACESEL:
            Insert(hwnd, state, lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "", false);
            if (!wParam) {
                state.text.EmptyUndo();
            }
            return 0;
        case EM_GETMODIFY:
            return state.text.modified() ? TRUE : FALSE;
        case EM_SETMODIFY:
            state.text.SetModified(wParam != 0);
            return 0;
        case EM_GETLINECOUNT:
            return state.text.LineCount();
        case EM_LINEINDEX:
            return LineIndex(state, wParam);
        case EM_LINELENGTH:
            return LineLength(state, wParam);
        case EM_GETLINE:
            return GetLine(state, wParam, lParam);
        case EM_LINEFROMCHAR:
            if (static_cast<int>(wParam) == -1) {
                return state.text.LineFromOffset(state.text.selection().start);
            }
            return state.text.LineFromOffset(wParam);
        case EM_LIMITTEXT:
            return LimitText(state, wParam);
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(state.text.limit());
        case EM_CANUNDO:
            return state.text.CanUndo() ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER:
            state.text.EmptyUndo();
            return 0;
        case EM_SETPASSWORDCHAR:
            return SetPasswordChar(hwnd, state, wParam);
        case EM_GETPASSWORDCHAR:
            return static_cast<unsigned char>(state.passwordChar);
        case EM_SETREADONLY: {
            const DWORD style = StyleOf(hwnd);
            SetWindowLongA(hwnd, GWL_STYLE,
                           static_cast<LONG>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        case EM_SCROLLCARET:
            ScrollToCaret(hwnd, state);
            return TRUE;
        case EM_LINESCROLL:
            return LineScroll(hwnd, state, wParam, lParam);
        case EM_SCROLL: {
            if (!state.text.multiline() || wParam > SB_PAGEDOWN) {
                return FALSE;
            }
            const int moved =
                ScrollLines(hwnd, state, VerticalTarget(hwnd, state, static_cast<int>(wParam), 0));
            return MAKELRESULT(static_cast<WORD>(moved), TRUE);
        }
        case EM_GETFIRSTVISIBLELINE:
            return FirstVisible(state);
        case EM_GETRECT:
            if (auto* rect = reinterpret_cast<RECT*>(lParam)) {
                *rect = ClientOf(hwnd);
                rect->left += kMargin;
                rect->right -= kMargin;
            }
            return 0;
        case EM_POSFROMCHAR:
            return PositionFromChar(hwnd, state, wParam);
        case EM_CHARFROMPOS:
            return CharFromPosition(hwnd, state, lParam);
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

edit::EditControl::EditControl(HWND window, const CREATESTRUCTA& create)
    : hwnd(window),
      text((create.style & ES_MULTILINE) != 0),
      bars(static_cast<DWORD>(create.style) & (WS_HSCROLL | WS_VSCROLL)) {}

edit::EditControl::~EditControl() {
    if (focused) {
        DestroyCaret();
    }
    DeleteDC(measure);
}

LRESULT edit::EditControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(hwnd, *this, message, wParam, lParam);
}

void RegisterEditClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass("Edit", ControlProcedure<edit::EditControl>, CS_DBLCLKS, nullptr,
                             LoadCursorA(nullptr, IDC_IBEAM));
}

}  // namespace platform
