#include "platform/controls/RichEditControl.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/Clipboard.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/Edit.h"
#include "platform/controls/EditDialogCode.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"

namespace platform::views {
namespace {

constexpr size_t kDefaultLimit = 32767;
constexpr LONG kStreamChunk = 4096;

// The messages after which the lines or the first line shown may have changed.
bool ChangesLines(UINT message) {
    switch (message) {
        case WM_CREATE:
        case WM_SIZE:
        case WM_SETTEXT:
        case WM_SETFONT:
        case WM_CHAR:
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REPLACESEL:
        case EM_SETSEL:
        case EM_EXSETSEL:
        case EM_SCROLLCARET:
        case EM_SETCHARFORMAT:
        case EM_SETPARAFORMAT:
        case EM_STREAMIN:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool RichEditControl::ReadOnly() const {
    return (GetWindowLongA(hwnd_, GWL_STYLE) & ES_READONLY) != 0;
}

bool RichEditControl::Multiline() const {
    return (GetWindowLongA(hwnd_, GWL_STYLE) & ES_MULTILINE) != 0;
}

void RichEditControl::Select(size_t anchor, size_t caret) {
    anchor = document_.Snap(anchor);
    caret = document_.Snap(caret);
    if (anchor != anchor_ || caret != caret_) {
        anchor_ = anchor;
        caret_ = caret;
        typing_ = false;
        document_.ClearPendingFormat();
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    NotifySelection();
}

void RichEditControl::NotifySelection() {
    const CHARRANGE now{static_cast<LONG>(SelectionStart()), static_cast<LONG>(SelectionEnd())};
    if (now.cpMin == notified_.cpMin && now.cpMax == notified_.cpMax) {
        return;
    }
    notified_ = now;
    if ((eventMask_ & ENM_SELCHANGE) == 0) {
        return;
    }
    SELCHANGE notice{};
    notice.chrg = now;
    notice.seltyp = now.cpMin == now.cpMax      ? SEL_EMPTY
                    : now.cpMax - now.cpMin > 1 ? SEL_TEXT | SEL_MULTICHAR
                                                : SEL_TEXT;
    SendNotify(hwnd_, notice.nmhdr, EN_SELCHANGE);
}

void RichEditControl::Command(UINT code) {
    SendCommandNotify(hwnd_, code);
}

void RichEditControl::NotifyChange() {
    if (eventMask_ & ENM_UPDATE) {
        Command(EN_UPDATE);
    }
    if (eventMask_ & ENM_CHANGE) {
        Command(EN_CHANGE);
    }
}

void RichEditControl::RememberForUndo() {
    undo_ = Snapshot{document_.Save(), anchor_, caret_};
}

void RichEditControl::Undo() {
    if (!undo_ || ReadOnly()) {
        return;
    }
    // One level, as version 1.0 has it: undoing again redoes.
    Snapshot previous = std::move(*undo_);
    undo_ = Snapshot{document_.Save(), anchor_, caret_};
    document_.Restore(std::move(previous.document));
    anchor_ = previous.anchor;
    caret_ = previous.caret;
    typing_ = false;
    modified_ = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    NotifySelection();
    NotifyChange();
}

bool RichEditControl::ReplaceSelection(std::string_view text, bool byUser, bool undoable) {
    if (byUser && ReadOnly()) {
        return false;
    }
    const size_t from = SelectionStart();
    const size_t to = SelectionEnd();
    if (byUser && document_.Size() - (to - from) + text.size() > limit_) {
        Command(EN_MAXTEXT);
        return false;
    }
    if (undoable) {
        RememberForUndo();
    }
    const size_t inserted = document_.Replace(from, to, text);
    anchor_ = caret_ = from + inserted;
    modified_ = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    EnsureCaretVisible();
    NotifySelection();
    NotifyChange();
    return true;
}

void RichEditControl::SetFont(HFONT font) {
    font_ = font;
    LOGFONTA logical{};
    if (GetObjectA(FontOrDefault(font), sizeof(logical), &logical) == 0) {
        return;
    }
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_CHARSET;
    format.dwEffects = (logical.lfWeight >= FW_SEMIBOLD ? CFE_BOLD : 0) |
                       (logical.lfItalic ? CFE_ITALIC : 0) |
                       (logical.lfUnderline ? CFE_UNDERLINE : 0);
    // Pixels at 96 dots per inch to twips.
    format.yHeight =
        std::max<LONG>(1, (logical.lfHeight < 0 ? -logical.lfHeight : logical.lfHeight) * 15);
    format.bCharSet = logical.lfCharSet;
    std::memcpy(format.szFaceName, logical.lfFaceName, sizeof(format.szFaceName));
    format.szFaceName[LF_FACESIZE - 1] = '\0';
    document_.SetDefaultFormat(format);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

BOOL RichEditControl::SetCharFormat(WPARAM scope, const CHARFORMATA* format) {
    if (format == nullptr || format->cbSize < sizeof(CHARFORMATA)) {
        return FALSE;
    }
    if (scope == SCF_DEFAULT) {
        document_.SetDefaultFormat(*format);
    } else if (scope & SCF_ALL) {
        RememberForUndo();
        document_.ApplyFormat(0, document_.Size(), *format);
        document_.SetPendingFormat(caret_, *format);
    } else if (SelectionStart() == SelectionEnd()) {
        document_.SetPendingFormat(caret_, *format);
    } else {
        RememberForUndo();
        document_.ApplyFormat(SelectionStart(), SelectionEnd(), *format);
    }
    typing_ = false;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

DWORD RichEditControl::GetCharFormat(WPARAM scope, CHARFORMATA* format) const {
    if (format == nullptr || format->cbSize < sizeof(CHARFORMATA)) {
        return 0;
    }
    if (scope == SCF_DEFAULT) {
        RichEditDocument::Fill(document_.DefaultFormat(), CFM_ALL, format);
        return CFM_ALL;
    }
    return document_.RangeFormat(SelectionStart(), SelectionEnd(), format);
}

BOOL RichEditControl::SetParaFormat(const PARAFORMAT* format) {
    if (format == nullptr || format->cbSize < sizeof(PARAFORMAT)) {
        return FALSE;
    }
    if (format->dwMask & PFM_ALIGNMENT) {
        if (format->wAlignment < PFA_LEFT || format->wAlignment > PFA_CENTER) {
            return FALSE;
        }
        RememberForUndo();
        document_.SetAlignment(SelectionStart(), SelectionEnd(), format->wAlignment);
        typing_ = false;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    return TRUE;
}

DWORD RichEditControl::GetParaFormat(PARAFORMAT* format) const {
    if (format == nullptr || format->cbSize < sizeof(PARAFORMAT)) {
        return 0;
    }
    const UINT size = format->cbSize;
    std::memset(format, 0, sizeof(PARAFORMAT));
    format->cbSize = size;
    WORD alignment = PFA_LEFT;
    const bool same = document_.RangeAlignment(SelectionStart(), SelectionEnd(), &alignment);
    format->wAlignment = alignment;
    format->dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_TABSTOPS | PFM_NUMBERING |
                     (same ? PFM_ALIGNMENT : 0);
    return format->dwMask;
}

LRESULT RichEditControl::StreamIn(WPARAM format, EDITSTREAM* stream) {
    if (stream == nullptr || stream->pfnCallback == nullptr || (format & SF_TEXT) == 0) {
        return 0;
    }
    std::string text;
    std::vector<BYTE> buffer(kStreamChunk);
    stream->dwError = 0;
    for (;;) {
        LONG got = 0;
        const DWORD error =
            stream->pfnCallback(stream->dwCookie, buffer.data(), kStreamChunk, &got);
        if (error != 0) {
            stream->dwError = error;
            break;
        }
        if (got <= 0) {
            break;
        }
        text.append(reinterpret_cast<const char*>(buffer.data()),
                    static_cast<size_t>(std::min(got, kStreamChunk)));
    }
    if (format & SFF_SELECTION) {
        ReplaceSelection(text, false, true);
    } else {
        document_.SetText(text);
        undo_.reset();
        anchor_ = caret_ = 0;
        modified_ = false;
        InvalidateRect(hwnd_, nullptr, TRUE);
        NotifySelection();
        NotifyChange();
    }
    return static_cast<LRESULT>(text.size());
}

LRESULT RichEditControl::StreamOut(WPARAM format, EDITSTREAM* stream) const {
    if (stream == nullptr || stream->pfnCallback == nullptr || (format & SF_TEXT) == 0) {
        return 0;
    }
    const std::string& whole = document_.Text();
    const size_t from = (format & SFF_SELECTION) ? SelectionStart() : 0;
    const size_t to = (format & SFF_SELECTION) ? SelectionEnd() : whole.size();
    std::string chunk;
    stream->dwError = 0;
    size_t written = 0;
    for (size_t at = from; at < to;) {
        chunk.assign(whole, at, std::min<size_t>(kStreamChunk, to - at));
        LONG taken = 0;
        const DWORD error =
            stream->pfnCallback(stream->dwCookie, reinterpret_cast<LPBYTE>(chunk.data()),
                                static_cast<LONG>(chunk.size()), &taken);
        if (error != 0) {
            stream->dwError = error;
            break;
        }
        if (taken <= 0) {
            break;
        }
        const size_t step = std::min(static_cast<size_t>(taken), chunk.size());
        written += step;
        at += step;
    }
    return static_cast<LRESULT>(written);
}

LRESULT RichEditControl::SetSelectionRange(LONG from, LONG to) {
    const size_t size = document_.Size();
    if (from < 0) {
        // -1 removes the selection and leaves the caret where it was.
        Select(caret_, caret_);
    } else if (from == 0 && to == -1) {
        Select(0, size);
    } else {
        Select(static_cast<size_t>(from), to < 0 ? size : static_cast<size_t>(to));
    }
    return static_cast<LRESULT>(SelectionEnd());
}

void RichEditControl::Cut() {
    if (ReadOnly() || SelectionStart() == SelectionEnd()) {
        return;
    }
    Copy();
    ReplaceSelection("", true, true);
}

void RichEditControl::Copy() const {
    if (SelectionStart() == SelectionEnd()) {
        return;
    }
    PutClipboardText(hwnd_, std::string_view(document_.Text())
                                .substr(SelectionStart(), SelectionEnd() - SelectionStart()));
}

void RichEditControl::Paste() {
    const std::optional<std::string> text = ClipboardText(hwnd_);
    if (!text || ReadOnly()) {
        return;
    }
    const size_t end = text->find('\0');
    ReplaceSelection(std::string_view(*text).substr(0, end), true, true);
}

void RichEditControl::Clear() {
    if (SelectionStart() != SelectionEnd()) {
        ReplaceSelection("", true, true);
    }
}

COLORREF RichEditControl::Background() const {
    return background_ ? *background_ : GetSysColor(COLOR_WINDOW);
}

LRESULT RichEditControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Dispatch(message, wParam, lParam);
    if (ChangesLines(message)) {
        UpdateScrollBars();
    }
    return result;
}

LRESULT RichEditControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (create != nullptr && create->lpszName != nullptr) {
                document_.SetText(create->lpszName);
            }
            bars_ = static_cast<DWORD>(create != nullptr ? create->style : 0) & WS_VSCROLL;
            return 0;
        }
        case WM_SETTEXT:
            document_.SetText(TextIn(reinterpret_cast<const char*>(lParam)));
            undo_.reset();
            anchor_ = caret_ = 0;
            modified_ = false;
            firstLine_ = 0;
            InvalidateRect(hwnd_, nullptr, TRUE);
            NotifySelection();
            NotifyChange();
            return TRUE;
        case WM_GETTEXT:
            return CopyTextOut(document_.Text(), reinterpret_cast<char*>(lParam),
                               static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(document_.Size());
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam));
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_GETDLGCODE:
            return EditDialogCode(static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)), lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            hasFocus_ = GainsFocus(message);
            pendingLead_ = -1;
            InvalidateRect(hwnd_, nullptr, TRUE);
            Command(hasFocus_ ? EN_SETFOCUS : EN_KILLFOCUS);
            return 0;
        case WM_CHAR:
            Char(wParam);
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_) {
                Select(anchor_, PositionAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
            }
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) {
                dragging_ = false;
                ReleaseCapture();
            }
            return 0;
        case WM_VSCROLL:
            Scroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_MOUSEWHEEL:
            ScrollLines(firstLine_ - WheelLines(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CUT:
            Cut();
            return 0;
        case WM_COPY:
            Copy();
            return 0;
        case WM_PASTE:
            Paste();
            return 0;
        case WM_CLEAR:
            if (!ReadOnly()) {
                Clear();
            }
            return 0;
        case WM_UNDO:
        case EM_UNDO:
            if (!undo_ || ReadOnly()) {
                return FALSE;
            }
            Undo();
            return TRUE;
        case EM_CANUNDO:
            return undo_.has_value() && !ReadOnly();
        case EM_EMPTYUNDOBUFFER:
            undo_.reset();
            return 0;
        case EM_GETSEL: {
            if (wParam != 0) {
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(SelectionStart());
            }
            if (lParam != 0) {
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(SelectionEnd());
            }
            return MAKELRESULT(std::min<size_t>(SelectionStart(), 0xFFFF),
                               std::min<size_t>(SelectionEnd(), 0xFFFF));
        }
        case EM_SETSEL:
            SetSelectionRange(static_cast<LONG>(wParam), static_cast<LONG>(lParam));
            return 0;
        case EM_EXGETSEL: {
            auto* range = reinterpret_cast<CHARRANGE*>(lParam);
            if (range != nullptr) {
                range->cpMin = static_cast<LONG>(SelectionStart());
                range->cpMax = static_cast<LONG>(SelectionEnd());
            }
            return 0;
        }
        case EM_EXSETSEL: {
            const auto* range = reinterpret_cast<const CHARRANGE*>(lParam);
            return range != nullptr ? SetSelectionRange(range->cpMin, range->cpMax) : 0;
        }
        case EM_REPLACESEL:
            ReplaceSelection(TextIn(reinterpret_cast<const char*>(lParam)), false, wParam != 0);
            return 0;
        case EM_GETMODIFY:
            return modified_;
        case EM_SETMODIFY:
            modified_ = wParam != 0;
            return 0;
        case EM_SETREADONLY: {
            LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
            style = wParam != 0 ? style | ES_READONLY : style & ~ES_READONLY;
            SetWindowLongA(hwnd_, GWL_STYLE, style);
            return TRUE;
        }
        case EM_LIMITTEXT:
        case EM_EXLIMITTEXT: {
            const auto limit = static_cast<size_t>(message == EM_LIMITTEXT ? wParam : lParam);
            limit_ = limit != 0 ? limit : kDefaultLimit;
            return 0;
        }
        case EM_GETLINECOUNT:
            return document_.LineCount();
        case EM_LINEINDEX: {
            const int line =
                static_cast<int>(wParam) < 0 ? document_.LineOf(caret_) : static_cast<int>(wParam);
            const size_t start = document_.LineStart(line);
            return start == std::string::npos ? -1 : static_cast<LRESULT>(start);
        }
        case EM_LINELENGTH: {
            const int line = static_cast<int>(wParam) < 0
                                 ? document_.LineOf(caret_)
                                 : document_.LineOf(static_cast<size_t>(wParam));
            return static_cast<LRESULT>(document_.LineLength(line));
        }
        case EM_LINEFROMCHAR:
        case EM_EXLINEFROMCHAR: {
            const auto position = static_cast<LONG>(message == EM_LINEFROMCHAR ? wParam : lParam);
            return document_.LineOf(position < 0 ? caret_ : static_cast<size_t>(position));
        }
        case EM_GETLINE: {
            auto* buffer = reinterpret_cast<char*>(lParam);
            const size_t start = document_.LineStart(static_cast<int>(wParam));
            if (buffer == nullptr || start == std::string::npos) {
                return 0;
            }
            WORD capacity = 0;
            std::memcpy(&capacity, buffer, sizeof(capacity));
            const size_t length =
                std::min<size_t>(document_.LineLength(static_cast<int>(wParam)), capacity);
            std::memcpy(buffer, document_.Text().data() + start, length);
            return static_cast<LRESULT>(length);
        }
        case EM_GETFIRSTVISIBLELINE:
            return firstLine_;
        case EM_SCROLLCARET:
            EnsureCaretVisible();
            return 0;
        case EM_CANPASTE:
            return (wParam == 0 || wParam == CF_TEXT) && !ReadOnly() &&
                   ClipboardText(hwnd_).has_value();
        case EM_GETSELTEXT: {
            auto* buffer = reinterpret_cast<char*>(lParam);
            const size_t length = SelectionEnd() - SelectionStart();
            if (buffer != nullptr) {
                std::memcpy(buffer, document_.Text().data() + SelectionStart(), length);
                buffer[length] = '\0';
            }
            return static_cast<LRESULT>(length);
        }
        case EM_GETTEXTRANGE: {
            auto* range = reinterpret_cast<TEXTRANGEA*>(lParam);
            if (range == nullptr || range->lpstrText == nullptr || range->chrg.cpMin < 0) {
                return 0;
            }
            const size_t size = document_.Size();
            const size_t from = std::min(static_cast<size_t>(range->chrg.cpMin), size);
            const size_t to = range->chrg.cpMax < 0
                                  ? size
                                  : std::clamp(static_cast<size_t>(range->chrg.cpMax), from, size);
            std::memcpy(range->lpstrText, document_.Text().data() + from, to - from);
            range->lpstrText[to - from] = '\0';
            return static_cast<LRESULT>(to - from);
        }
        case EM_SELECTIONTYPE: {
            const size_t length = SelectionEnd() - SelectionStart();
            return length == 0 ? SEL_EMPTY : length > 1 ? SEL_TEXT | SEL_MULTICHAR : SEL_TEXT;
        }
        case EM_HIDESELECTION:
            hideSelection_ = wParam != 0;
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case EM_SETBKGNDCOLOR: {
            const COLORREF previous = Background();
            if (wParam != 0) {
                background_.reset();
            } else {
                background_ = static_cast<COLORREF>(lParam);
            }
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        case EM_GETEVENTMASK:
            return eventMask_;
        case EM_SETEVENTMASK: {
            const DWORD previous = eventMask_;
            eventMask_ = static_cast<DWORD>(lParam);
            return previous;
        }
        case EM_SETCHARFORMAT:
            return SetCharFormat(wParam, reinterpret_cast<const CHARFORMATA*>(lParam));
        case EM_GETCHARFORMAT:
            return GetCharFormat(wParam, reinterpret_cast<CHARFORMATA*>(lParam));
        case EM_SETPARAFORMAT:
            return SetParaFormat(reinterpret_cast<const PARAFORMAT*>(lParam));
        case EM_GETPARAFORMAT:
            return GetParaFormat(reinterpret_cast<PARAFORMAT*>(lParam));
        case EM_STREAMIN:
            return StreamIn(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
        case EM_STREAMOUT:
            return StreamOut(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace platform::views
