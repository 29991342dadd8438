// The messages of the tool tip, each handed to the member that does the work.
#include <cstddef>

#include "platform/controls/ToolTipControl.h"
#include "platform/controls/ToolTipSubclasses.h"
#include "platform/windows/WindowApi.h"

namespace platform {

LRESULT ToolTipControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_DESTROY:
            Destroy();
            return 0;
        case TTM_ACTIVATE:
            Activate(wParam != 0);
            return 0;
        case TTM_SETDELAYTIME:
            SetDelayTime(wParam, static_cast<short>(LOWORD(lParam)));
            return 0;
        case TTM_GETDELAYTIME:
            return DelayTime(wParam);
        case TTM_ADDTOOLA:
            return AddTool(info);
        case TTM_DELTOOLA:
            return DeleteTool(info);
        case TTM_NEWTOOLRECTA:
            NewToolRect(info);
            return 0;
        case TTM_RELAYEVENT:
            if (lParam != 0) {
                Relay(*reinterpret_cast<const MSG*>(lParam));
            }
            return 0;
        case TTM_GETTOOLINFOA:
            return GetToolInfo(reinterpret_cast<TOOLINFOA*>(lParam));
        case TTM_SETTOOLINFOA:
            SetToolInfo(info);
            return 0;
        case TTM_GETTEXTA:
            GetText(wParam, reinterpret_cast<TOOLINFOA*>(lParam));
            return 0;
        case TTM_UPDATETIPTEXTA:
            UpdateTipText(info);
            return 0;
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(tools_.size());
        case TTM_TRACKACTIVATE:
            TrackActivate(wParam != 0, info);
            return 0;
        case TTM_TRACKPOSITION:
            TrackPosition(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case TTM_SETTIPBKCOLOR:
            SetColor(background_, static_cast<COLORREF>(wParam));
            return 0;
        case TTM_SETTIPTEXTCOLOR:
            SetColor(foreground_, static_cast<COLORREF>(wParam));
            return 0;
        case TTM_GETTIPBKCOLOR:
            return background_;
        case TTM_GETTIPTEXTCOLOR:
            return foreground_;
        case TTM_SETMAXTIPWIDTH:
            return SetMaxTipWidth(static_cast<int>(lParam));
        case TTM_GETMAXTIPWIDTH:
            return maxWidth_;
        case TTM_POP:
            Pop();
            return 0;
        case TTM_POPUP:
            Popup();
            return 0;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void ToolTipControl::Destroy() {
    for (const Tool& tool : tools_) {
        if ((tool.flags & TTF_SUBCLASS) != 0) {
            StopRelayingMouseOf(tool.Window(), hwnd_);
        }
    }
    tools_.clear();
    shown_ = current_ = tracking_ = -1;
}

void ToolTipControl::Activate(bool active) {
    active_ = active;
    if (!active_) {
        Forget();
    }
}

// A negative value restores the default, which follows the double-click time.
void ToolTipControl::SetDelayTime(WPARAM which, int value) {
    const int doubleClick = static_cast<int>(GetDoubleClickTime());
    switch (which) {
        case TTDT_AUTOMATIC:
            initial_ = value < 0 ? doubleClick : value;
            autopop_ = initial_ * 10;
            reshow_ = initial_ / 5;
            break;
        case TTDT_INITIAL:
            initial_ = value < 0 ? doubleClick : value;
            break;
        case TTDT_AUTOPOP:
            autopop_ = value < 0 ? doubleClick * 10 : value;
            break;
        case TTDT_RESHOW:
            reshow_ = value < 0 ? doubleClick / 5 : value;
            break;
        default:
            break;
    }
}

LRESULT ToolTipControl::DelayTime(WPARAM which) const {
    switch (which) {
        case TTDT_INITIAL:
            return initial_;
        case TTDT_AUTOPOP:
            return autopop_;
        case TTDT_RESHOW:
            return reshow_;
        default:
            return 0;
    }
}

void ToolTipControl::NewToolRect(const TOOLINFOA* info) {
    const int index = Find(info);
    if (index >= 0) {
        tools_[static_cast<size_t>(index)].rect = info->rect;
    }
}

LRESULT ToolTipControl::GetToolInfo(TOOLINFOA* info) const {
    const int index = Find(info);
    if (index < 0) {
        return FALSE;
    }
    const Tool& tool = tools_[static_cast<size_t>(index)];
    info->uFlags = tool.flags;
    info->rect = tool.rect;
    info->hinst = nullptr;
    if (tool.callback) {
        info->lpszText = LPSTR_TEXTCALLBACKA;
    } else {
        CopyText(tool.text, info->lpszText, kClassicTextLimit);
    }
    if (info->cbSize > offsetof(TOOLINFOA, lParam)) {
        info->lParam = tool.param;
    }
    return TRUE;
}

void ToolTipControl::SetToolInfo(const TOOLINFOA* info) {
    const int index = Find(info);
    if (index < 0) {
        return;
    }
    Tool& tool = tools_[static_cast<size_t>(index)];
    tool.rect = info->rect;
    tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
    tool.text = ToolText(*info);
    if (info->cbSize > offsetof(TOOLINFOA, lParam)) {
        tool.param = info->lParam;
    }
}

// `size` is the caller's buffer size; 0 stands for the classic 80 bytes.
void ToolTipControl::GetText(size_t size, TOOLINFOA* info) {
    int index = Find(info);
    if (index >= 0) {
        const std::string text = TextOf(index);
        CopyText(text, info->lpszText, size != 0 ? size : kClassicTextLimit);
    } else if (info != nullptr) {
        CopyText({}, info->lpszText, 1);
    }
}

void ToolTipControl::UpdateTipText(const TOOLINFOA* info) {
    const int index = Find(info);
    if (index < 0) {
        return;
    }
    Tool& tool = tools_[static_cast<size_t>(index)];
    tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
    tool.text = ToolText(*info);
    if (index == shown_) {
        Show(index);
    }
}

// A tracked tip shows where the owner puts it, until the owner ends the tracking.
void ToolTipControl::TrackActivate(bool on, const TOOLINFOA* info) {
    const int index = Find(info);
    if (on && index >= 0) {
        Forget();
        tracking_ = index;
        Show(index);
    } else if (!on && (index < 0 || index == tracking_)) {
        tracking_ = -1;
        Hide();
    }
}

void ToolTipControl::TrackPosition(POINT position) {
    trackPosition_ = position;
    if (tracking_ >= 0 && shown_ == tracking_) {
        SetWindowPos(hwnd_, nullptr, trackPosition_.x, trackPosition_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ToolTipControl::SetColor(COLORREF& slot, COLORREF color) {
    slot = color;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT ToolTipControl::SetMaxTipWidth(int width) {
    const int previous = maxWidth_;
    maxWidth_ = width;
    return previous;
}

void ToolTipControl::Pop() {
    Hide();
    KillTimer(hwnd_, kShowTimer);
    dismissed_ = true;
}

// Shows the tip of the tool under the cursor at once.
void ToolTipControl::Popup() {
    const int index = ToolUnderCursor();
    if (active_ && index >= 0) {
        KillTimer(hwnd_, kShowTimer);
        current_ = index;
        dismissed_ = false;
        Show(index);
        SetTimer(hwnd_, kLeaveTimer, kLeavePeriod, nullptr);
    }
}

}  // namespace platform
