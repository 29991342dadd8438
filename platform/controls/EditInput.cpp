#include <algorithm>
#include <optional>

#include "platform/controls/Clipboard.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/Edit.h"
#include "platform/controls/EditControl.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform::edit {

namespace {

bool KeyDown(int key) {
    return GetKeyState(key) < 0;
}

// After a change that the parent hears about: EN_UPDATE before the new text shows, EN_CHANGE
// after.
void TextChanged(HWND hwnd, EditControl& state) {
    SyncWindowText(hwnd, state);
    ScrollToCaret(hwnd, state);
    SendCommandNotify(hwnd, EN_UPDATE);
    SendCommandNotify(hwnd, EN_CHANGE);
}

// A single-line edit without ES_AUTOHSCROLL takes no more than its width shows.
bool FitsWidth(HWND hwnd, const EditControl& state, std::string_view insert) {
    const DWORD style = StyleOf(hwnd);
    if ((style & (ES_MULTILINE | ES_AUTOHSCROLL)) != 0) {
        return true;
    }
    const EditText::Selection range = state.text.selection();
    std::string after = state.text.text();
    after.replace(range.start, range.end - range.start, insert);
    return TextWidth(state, after) <= FormatWidth(hwnd);
}

}  // namespace

void SyncWindowText(HWND hwnd, const EditControl& state) {
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(state.text.text().c_str()));
}

std::string Converted(DWORD style, std::string_view text) {
    std::string converted(text);
    if (style & ES_UPPERCASE) {
        ToUpperAscii(converted);
    } else if (style & ES_LOWERCASE) {
        ToLowerAscii(converted);
    }
    return converted;
}

// Inserts what the user typed or pasted, or what EM_REPLACESEL gives, with the limit's rule.
void Insert(HWND hwnd, EditControl& state, std::string_view insert, bool typing) {
    const std::string converted = Converted(StyleOf(hwnd), insert);
    if (!FitsWidth(hwnd, state, converted)) {
        SendCommandNotify(hwnd, EN_MAXTEXT);
        return;
    }
    const EditText::Insert result = state.text.ReplaceSelection(converted, typing);
    if (result != EditText::Insert::Whole) {
        SendCommandNotify(hwnd, EN_MAXTEXT);
    }
    if (result != EditText::Insert::Refused) {
        TextChanged(hwnd, state);
    }
}

void DeleteSelection(HWND hwnd, EditControl& state) {
    if (state.text.HasSelection()) {
        state.text.ReplaceSelection({}, false);
        TextChanged(hwnd, state);
    }
}

bool ReadOnly(HWND hwnd) {
    return (StyleOf(hwnd) & ES_READONLY) != 0;
}

void Copy(HWND hwnd, const EditControl& state) {
    if (state.passwordChar == 0 && state.text.HasSelection()) {
        PutClipboardText(hwnd, state.text.SelectedText());
    }
}

void Cut(HWND hwnd, EditControl& state) {
    if (ReadOnly(hwnd) || state.passwordChar != 0 || !state.text.HasSelection()) {
        return;
    }
    Copy(hwnd, state);
    DeleteSelection(hwnd, state);
}

void Paste(HWND hwnd, EditControl& state) {
    if (ReadOnly(hwnd)) {
        return;
    }
    std::optional<std::string> pasted = ClipboardText(hwnd);
    if (!pasted) {
        return;
    }
    if (!(StyleOf(hwnd) & ES_MULTILINE)) {
        pasted->resize(std::min(pasted->size(), pasted->find_first_of("\r\n")));
    }
    Insert(hwnd, state, *pasted, false);
}

void Undo(HWND hwnd, EditControl& state) {
    if (state.text.Undo()) {
        TextChanged(hwnd, state);
    }
}

void MoveCaret(HWND hwnd, EditControl& state, size_t to, bool extend) {
    state.text.Select(extend ? state.text.anchor() : to, to);
    ScrollToCaret(hwnd, state);
}

void Character(HWND hwnd, EditControl& state, unsigned char byte) {
    const DWORD style = StyleOf(hwnd);
    if (state.pendingLead >= 0) {
        const char pair[2] = {static_cast<char>(state.pendingLead), static_cast<char>(byte)};
        state.pendingLead = -1;
        if (byte >= 0x40 && byte != 0x7F && byte != 0xFF) {
            if (!ReadOnly(hwnd) && !(style & ES_NUMBER)) {
                Insert(hwnd, state, std::string_view(pair, 2), true);
            }
            return;
        }
    }
    if (IsLeadByte(byte)) {
        state.pendingLead = byte;
        return;
    }
    switch (byte) {
        case 0x03:
            Copy(hwnd, state);
            return;
        case 0x16:
            Paste(hwnd, state);
            return;
        case 0x18:
            Cut(hwnd, state);
            return;
        case 0x1A:
            if (!ReadOnly(hwnd)) {
                Undo(hwnd, state);
            }
            return;
        default:
            break;
    }
    if (ReadOnly(hwnd)) {
        return;
    }
    if (byte == '\b') {
        if (!state.text.HasSelection()) {
            const size_t caret = state.text.caret();
            state.text.Select(state.text.PreviousChar(caret), caret);
        }
        DeleteSelection(hwnd, state);
        return;
    }
    if (byte == '\r' || byte == '\n') {
        if (style & ES_MULTILINE) {
            Insert(hwnd, state, "\r\n", true);
        }
        return;
    }
    if (byte == '\t') {
        if (style & ES_MULTILINE) {
            Insert(hwnd, state, "\t", true);
        }
        return;
    }
    if (byte < 0x20 || byte == 0x7F) {
        return;
    }
    if ((style & ES_NUMBER) && (byte < '0' || byte > '9')) {
        return;
    }
    const char typed = static_cast<char>(byte);
    Insert(hwnd, state, std::string_view(&typed, 1), true);
}

void KeyPressed(HWND hwnd, EditControl& state, WPARAM key) {
    const bool shift = KeyDown(VK_SHIFT);
    const bool control = KeyDown(VK_CONTROL);
    const EditText& text = state.text;
    const size_t caret = text.caret();
    const int line = text.LineFromOffset(caret);
    const auto lineStart = [&](int index) {
        return text.lines()[static_cast<size_t>(index)].start;
    };
    const auto lineEnd = [&](int index) {
        const EditText::Line& shown = text.lines()[static_cast<size_t>(index)];
        return shown.start + shown.length;
    };
    const auto toLine = [&](int target) {
        target = std::clamp(target, 0, text.LineCount() - 1);
        return text.OffsetAtX(target, text.XOf(caret));
    };
    switch (key) {
        case VK_LEFT:
            if (!shift && text.HasSelection()) {
                MoveCaret(hwnd, state, text.selection().start, false);
            } else {
                MoveCaret(hwnd, state,
                          control ? text.PreviousWord(caret) : text.PreviousChar(caret), shift);
            }
            return;
        case VK_RIGHT:
            if (!shift && text.HasSelection()) {
                MoveCaret(hwnd, state, text.selection().end, false);
            } else {
                MoveCaret(hwnd, state, control ? text.NextWord(caret) : text.NextChar(caret),
                          shift);
            }
            return;
        case VK_UP:
            if (text.multiline()) {
                MoveCaret(hwnd, state, line == 0 ? caret : toLine(line - 1), shift);
            } else {
                MoveCaret(hwnd, state, text.PreviousChar(caret), shift);
            }
            return;
        case VK_DOWN:
            if (text.multiline()) {
                MoveCaret(hwnd, state, line + 1 >= text.LineCount() ? caret : toLine(line + 1),
                          shift);
            } else {
                MoveCaret(hwnd, state, text.NextChar(caret), shift);
            }
            return;
        case VK_PRIOR:
        case VK_NEXT:
            if (text.multiline()) {
                const int page = VisibleLines(hwnd, state);
                MoveCaret(hwnd, state, toLine(key == VK_PRIOR ? line - page : line + page), shift);
            }
            return;
        case VK_HOME:
            MoveCaret(hwnd, state, control ? 0 : lineStart(line), shift);
            return;
        case VK_END:
            MoveCaret(hwnd, state, control ? text.text().size() : lineEnd(line), shift);
            return;
        case VK_DELETE:
            if (shift) {
                Cut(hwnd, state);
            } else if (!ReadOnly(hwnd)) {
                if (!text.HasSelection()) {
                    state.text.Select(caret, text.NextChar(caret));
                }
                DeleteSelection(hwnd, state);
            }
            return;
        case VK_INSERT:
            if (control) {
                Copy(hwnd, state);
            } else if (shift) {
                Paste(hwnd, state);
            }
            return;
        default:
            return;
    }
}

void VerticalScroll(HWND hwnd, EditControl& state, int code, int thumb) {
    if (!state.text.multiline()) {
        return;
    }
    SendCommandNotify(hwnd, EN_VSCROLL);
    ScrollLines(hwnd, state, VerticalTarget(hwnd, state, code, thumb));
}

void HorizontalScroll(HWND hwnd, EditControl& state, int code, int thumb) {
    const int step = AverageCharWidth(state);
    const int page = FormatWidth(hwnd);
    int target = state.xOffset;
    switch (code) {
        case SB_LINEUP:
            target -= step;
            break;
        case SB_LINEDOWN:
            target += step;
            break;
        case SB_PAGEUP:
            target -= page;
            break;
        case SB_PAGEDOWN:
            target += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            target = thumb;
            break;
        case SB_TOP:
            target = 0;
            break;
        default:
            break;
    }
    SendCommandNotify(hwnd, EN_HSCROLL);
    ScrollColumns(hwnd, state, target);
}

void MouseDown(HWND hwnd, EditControl& state, LPARAM lParam, bool extend) {
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    const size_t offset = OffsetAtPoint(hwnd, state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    MoveCaret(hwnd, state, offset, extend);
    state.tracking = true;
    SetCapture(hwnd);
}

void SelectWordAt(HWND hwnd, EditControl& state, LPARAM lParam) {
    const size_t offset = OffsetAtPoint(hwnd, state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    state.text.Select(state.text.WordStart(offset), state.text.WordEnd(offset));
    ScrollToCaret(hwnd, state);
}

}  // namespace platform::edit
