#include "platform/controls/ToolTip.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/controls/ControlWindow.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "platform/resources/ResourceApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
// There is no leave message for a window the mouse left entirely, so the tip watches the cursor.
constexpr UINT_PTR kLeaveTimer = 3;
constexpr UINT kLeavePeriod = 100;
constexpr int kMargin = 3;
// How far below the cursor the tip appears: the height of the standard arrow cursor.
constexpr int kCursorHeight = 20;
// A caller that passes no buffer size gets the size of NMTTDISPINFOA::szText.
constexpr size_t kClassicTextLimit = 80;

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

// Windows whose procedure a tool tip replaced (TTF_SUBCLASS), with the tips that listen to them.
struct Subclass {
    WNDPROC original = nullptr;
    std::vector<HWND> tips;
};
std::mutex subclassMutex;
std::map<HWND, Subclass> subclasses;

LRESULT CALLBACK SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Subclass entry;
    {
        std::lock_guard lock(subclassMutex);
        auto found = subclasses.find(hwnd);
        if (found == subclasses.end()) {
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
        entry = found->second;
        if (message == WM_NCDESTROY) {
            subclasses.erase(found);
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.original));
    } else if (IsMouseMessage(message)) {
        MSG relayed{hwnd, message, wParam, lParam, 0, {}};
        for (HWND tip : entry.tips) {
            SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
    }
    return CallWindowProcA(entry.original, hwnd, message, wParam, lParam);
}

void Listen(HWND target, HWND tip) {
    std::lock_guard lock(subclassMutex);
    auto found = subclasses.find(target);
    if (found == subclasses.end()) {
        Subclass entry;
        entry.original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(target, GWLP_WNDPROC));
        if (entry.original == nullptr) {
            return;
        }
        SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProcedure));
        found = subclasses.emplace(target, entry).first;
    }
    found->second.tips.push_back(tip);
}

void StopListening(HWND target, HWND tip) {
    std::lock_guard lock(subclassMutex);
    auto found = subclasses.find(target);
    if (found == subclasses.end()) {
        return;
    }
    auto& tips = found->second.tips;
    auto at = std::find(tips.begin(), tips.end(), tip);
    if (at != tips.end()) {
        tips.erase(at);
    }
    // Someone may have subclassed the window after us; then our procedure must stay in the chain.
    if (tips.empty() &&
        GetWindowLongPtrA(target, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProcedure)) {
        SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
        subclasses.erase(found);
    }
}

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    bool callback = false;
    std::string text;
    LPARAM param = 0;

    HWND Window() const { return (flags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(id) : hwnd; }
};

class ToolTip {
public:
    explicit ToolTip(HWND hwnd) : hwnd_(hwnd) {
        const int doubleClick = static_cast<int>(GetDoubleClickTime());
        initial_ = doubleClick;
        autopop_ = doubleClick * 10;
        reshow_ = doubleClick / 5;
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    int Find(HWND hwnd, UINT_PTR id) const;
    int Find(const TOOLINFOA* info) const {
        return info != nullptr && info->cbSize >= TTTOOLINFOA_V1_SIZE ? Find(info->hwnd, info->uId)
                                                                      : -1;
    }
    int ToolAt(HWND window, POINT client) const;
    int ToolUnderCursor() const;
    // The text to show; `index` follows the tool, or becomes -1 when the owner deleted it.
    std::string TextOf(int& index);

    LRESULT AddTool(const TOOLINFOA* info);
    LRESULT DeleteTool(const TOOLINFOA* info);
    void Relay(const MSG& msg);
    void Show(int index);
    void Hide();
    void Forget();
    void OnTimer(UINT_PTR id);
    void Paint();
    static std::string ToolText(const TOOLINFOA& info);
    static void CopyText(const std::string& text, LPSTR buffer, size_t size);

    HWND hwnd_;
    std::vector<Tool> tools_;
    bool active_ = true;
    int current_ = -1;
    bool dismissed_ = false;
    int shown_ = -1;
    int tracking_ = -1;
    POINT trackPosition_{0, 0};
    std::string text_;
    int initial_ = 0;
    int autopop_ = 0;
    int reshow_ = 0;
    int maxWidth_ = -1;
    COLORREF background_ = GetSysColor(COLOR_INFOBK);
    COLORREF foreground_ = GetSysColor(COLOR_INFOTEXT);
    HFONT font_ = nullptr;
};

int ToolTip::Find(HWND hwnd, UINT_PTR id) const {
    for (size_t i = 0; i < tools_.size(); ++i) {
        if (tools_[i].hwnd == hwnd && tools_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ToolTip::ToolAt(HWND window, POINT client) const {
    for (size_t i = 0; i < tools_.size(); ++i) {
        const Tool& tool = tools_[i];
        if ((tool.flags & TTF_IDISHWND) != 0
                ? tool.Window() == window
                : tool.hwnd == window && CRect(tool.rect).PtInRect(client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ToolTip::ToolUnderCursor() const {
    POINT cursor{};
    GetCursorPos(&cursor);
    for (size_t i = 0; i < tools_.size(); ++i) {
        HWND window = tools_[i].Window();
        POINT client = cursor;
        if (!IsWindowVisible(window) || !ScreenToClient(window, &client)) {
            continue;
        }
        RECT area = tools_[i].rect;
        if ((tools_[i].flags & TTF_IDISHWND) != 0) {
            GetClientRect(window, &area);
        }
        if (CRect(area).PtInRect(client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string ToolTip::ToolText(const TOOLINFOA& info) {
    if (info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACKA) {
        return {};
    }
    if (info.hinst != nullptr && IS_INTRESOURCE(info.lpszText)) {
        char buffer[1024] = {};
        LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)),
                    buffer, sizeof(buffer));
        return buffer;
    }
    return info.lpszText;
}

void ToolTip::CopyText(const std::string& text, LPSTR buffer, size_t size) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    const size_t length = CutAtCharBoundary(text, size - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = '\0';
}

std::string ToolTip::TextOf(int& index) {
    Tool& tool = tools_[static_cast<size_t>(index)];
    if (!tool.callback) {
        return tool.text;
    }
    NMTTDISPINFOA info{};
    info.hdr = NMHDR{hwnd_, tool.id, TTN_GETDISPINFOA};
    info.lpszText = info.szText;
    info.uFlags = tool.flags;
    info.lParam = tool.param;
    const HWND owner = tool.hwnd;
    SendMessageA(owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    info.szText[sizeof(info.szText) - 1] = '\0';
    std::string text;
    if (info.lpszText == nullptr) {
        text = info.szText;
    } else if (info.hinst != nullptr && IS_INTRESOURCE(info.lpszText)) {
        TOOLINFOA resource{};
        resource.hinst = info.hinst;
        resource.lpszText = info.lpszText;
        text = ToolText(resource);
    } else if (info.lpszText != LPSTR_TEXTCALLBACKA) {
        text = info.lpszText;
    }
    index = Find(owner, info.hdr.idFrom);
    if (index >= 0 && (info.uFlags & TTF_DI_SETITEM) != 0) {
        tools_[static_cast<size_t>(index)].callback = false;
        tools_[static_cast<size_t>(index)].text = text;
    }
    return text;
}

LRESULT ToolTip::AddTool(const TOOLINFOA* info) {
    if (info == nullptr || info->cbSize < TTTOOLINFOA_V1_SIZE) {
        return FALSE;
    }
    Tool tool;
    tool.flags = info->uFlags;
    tool.hwnd = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
    tool.text = ToolText(*info);
    if (info->cbSize > offsetof(TOOLINFOA, lParam)) {
        tool.param = info->lParam;
    }
    if ((tool.flags & TTF_SUBCLASS) != 0 && IsWindow(tool.Window())) {
        Listen(tool.Window(), hwnd_);
    }
    tools_.push_back(tool);
    return TRUE;
}

LRESULT ToolTip::DeleteTool(const TOOLINFOA* info) {
    const int index = Find(info);
    if (index < 0) {
        return 0;
    }
    if (index == shown_ || index == current_ || index == tracking_) {
        Forget();
        tracking_ = -1;
    }
    const Tool removed = tools_[static_cast<size_t>(index)];
    tools_.erase(tools_.begin() + index);
    auto follow = [index](int& at) { at -= at > index ? 1 : 0; };
    follow(current_);
    follow(shown_);
    follow(tracking_);
    if ((removed.flags & TTF_SUBCLASS) != 0) {
        StopListening(removed.Window(), hwnd_);
    }
    return 0;
}

void ToolTip::Relay(const MSG& msg) {
    if (!active_ || tracking_ >= 0) {
        return;
    }
    if (msg.message == WM_MOUSEMOVE) {
        const POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        const int tool = ToolAt(msg.hwnd, point);
        if (tool == current_) {
            return;
        }
        const bool wasShown = shown_ >= 0;
        Hide();
        current_ = tool;
        dismissed_ = false;
        if (tool < 0) {
            KillTimer(hwnd_, kShowTimer);
            KillTimer(hwnd_, kLeaveTimer);
            return;
        }
        // Moving from one tip to the next tool shows the next tip after the shorter delay.
        SetTimer(hwnd_, kShowTimer, static_cast<UINT>(wasShown ? reshow_ : initial_), nullptr);
        SetTimer(hwnd_, kLeaveTimer, kLeavePeriod, nullptr);
    } else if (IsMouseMessage(msg.message)) {
        // A click dismisses the tip until the mouse goes to another tool.
        Hide();
        KillTimer(hwnd_, kShowTimer);
        dismissed_ = true;
    }
}

void ToolTip::Show(int index) {
    Hide();
    const std::string text = TextOf(index);
    if (text.empty() || index < 0) {
        return;
    }
    text_ = text;
    const Tool& tool = tools_[static_cast<size_t>(index)];
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(
        dc, font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    RECT measure{0, 0, maxWidth_ >= 0 ? maxWidth_ : 0, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (maxWidth_ >= 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &measure, format);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    const int width = measure.right - measure.left + 2 * (kMargin + 1);
    const int height = measure.bottom - measure.top + 2 * (kMargin + 1);

    POINT at{};
    if (index == tracking_) {
        at = trackPosition_;
    } else if ((tool.flags & TTF_CENTERTIP) != 0) {
        RECT area = tool.rect;
        if ((tool.flags & TTF_IDISHWND) != 0) {
            GetClientRect(tool.Window(), &area);
        }
        POINT corners[2] = {{area.left, area.top}, {area.right, area.bottom}};
        MapWindowPoints(tool.Window(), nullptr, corners, 2);
        at = POINT{(corners[0].x + corners[1].x - width) / 2, corners[1].y + 2};
    } else {
        GetCursorPos(&at);
        at.y += kCursorHeight;
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    at.x = std::max(0, std::min<int>(at.x, screenWidth - width));
    at.y = std::max(0, std::min<int>(at.y, screenHeight - height));

    shown_ = index;
    NMHDR header{hwnd_, tool.id, TTN_SHOW};
    const bool placed =
        SendMessageA(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&header)) != 0;
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (placed) {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(hwnd_, HWND_TOPMOST, at.x, at.y, width, height, flags);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (index != tracking_) {
        SetTimer(hwnd_, kPopTimer, static_cast<UINT>(autopop_), nullptr);
    }
}

void ToolTip::Hide() {
    KillTimer(hwnd_, kPopTimer);
    if (shown_ < 0) {
        return;
    }
    const Tool tool = tools_[static_cast<size_t>(shown_)];
    shown_ = -1;
    ShowWindow(hwnd_, SW_HIDE);
    NMHDR header{hwnd_, tool.id, TTN_POP};
    SendMessageA(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&header));
}

void ToolTip::Forget() {
    Hide();
    KillTimer(hwnd_, kShowTimer);
    KillTimer(hwnd_, kLeaveTimer);
    current_ = -1;
    dismissed_ = false;
}

void ToolTip::OnTimer(UINT_PTR id) {
    if (id == kShowTimer) {
        KillTimer(hwnd_, kShowTimer);
        if (active_ && current_ >= 0 && !dismissed_ && ToolUnderCursor() == current_) {
            Show(current_);
        }
    } else if (id == kPopTimer) {
        Hide();
        dismissed_ = true;
    } else if (id == kLeaveTimer) {
        if (current_ >= 0 && ToolUnderCursor() != current_) {
            Forget();
        }
    }
}

void ToolTip::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        HBRUSH background = CreateSolidBrush(background_);
        FillRect(dc, &client, background);
        DeleteObject(background);
        FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
        HGDIOBJ oldFont = SelectObject(
            dc, font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, foreground_);
        RECT text{client.left + kMargin + 1, client.top + kMargin + 1, client.right - kMargin - 1,
                  client.bottom - kMargin - 1};
        DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
                  DT_NOPREFIX | (maxWidth_ >= 0 ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT ToolTip::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
            for (const Tool& tool : tools_) {
                if ((tool.flags & TTF_SUBCLASS) != 0) {
                    StopListening(tool.Window(), hwnd_);
                }
            }
            tools_.clear();
            shown_ = current_ = tracking_ = -1;
            return 0;
        case TTM_ACTIVATE:
            active_ = wParam != 0;
            if (!active_) {
                Forget();
            }
            return 0;
        case TTM_SETDELAYTIME: {
            const int value = static_cast<short>(LOWORD(lParam));
            const int doubleClick = static_cast<int>(GetDoubleClickTime());
            switch (wParam) {
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
            return 0;
        }
        case TTM_GETDELAYTIME:
            switch (wParam) {
                case TTDT_INITIAL:
                    return initial_;
                case TTDT_AUTOPOP:
                    return autopop_;
                case TTDT_RESHOW:
                    return reshow_;
                default:
                    return 0;
            }
        case TTM_ADDTOOLA:
            return AddTool(reinterpret_cast<const TOOLINFOA*>(lParam));
        case TTM_DELTOOLA:
            return DeleteTool(reinterpret_cast<const TOOLINFOA*>(lParam));
        case TTM_NEWTOOLRECTA: {
            const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
            const int index = Find(info);
            if (index >= 0) {
                tools_[static_cast<size_t>(index)].rect = info->rect;
            }
            return 0;
        }
        case TTM_RELAYEVENT:
            if (lParam != 0) {
                Relay(*reinterpret_cast<const MSG*>(lParam));
            }
            return 0;
        case TTM_GETTOOLINFOA: {
            auto* info = reinterpret_cast<TOOLINFOA*>(lParam);
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
        case TTM_SETTOOLINFOA: {
            const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
            const int index = Find(info);
            if (index >= 0) {
                Tool& tool = tools_[static_cast<size_t>(index)];
                tool.rect = info->rect;
                tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
                tool.text = ToolText(*info);
                if (info->cbSize > offsetof(TOOLINFOA, lParam)) {
                    tool.param = info->lParam;
                }
            }
            return 0;
        }
        case TTM_GETTEXTA: {
            auto* info = reinterpret_cast<TOOLINFOA*>(lParam);
            int index = Find(info);
            if (index >= 0) {
                const std::string text = TextOf(index);
                CopyText(text, info->lpszText, wParam != 0 ? wParam : kClassicTextLimit);
            } else if (info != nullptr) {
                CopyText({}, info->lpszText, 1);
            }
            return 0;
        }
        case TTM_UPDATETIPTEXTA: {
            const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
            const int index = Find(info);
            if (index >= 0) {
                Tool& tool = tools_[static_cast<size_t>(index)];
                tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
                tool.text = ToolText(*info);
                if (index == shown_) {
                    Show(index);
                }
            }
            return 0;
        }
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(tools_.size());
        case TTM_TRACKACTIVATE: {
            const int index = Find(reinterpret_cast<const TOOLINFOA*>(lParam));
            if (wParam != 0 && index >= 0) {
                Forget();
                tracking_ = index;
                Show(index);
            } else if (wParam == 0 && (index < 0 || index == tracking_)) {
                tracking_ = -1;
                Hide();
            }
            return 0;
        }
        case TTM_TRACKPOSITION:
            trackPosition_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (tracking_ >= 0 && shown_ == tracking_) {
                SetWindowPos(hwnd_, nullptr, trackPosition_.x, trackPosition_.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        case TTM_SETTIPBKCOLOR:
            background_ = static_cast<COLORREF>(wParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case TTM_SETTIPTEXTCOLOR:
            foreground_ = static_cast<COLORREF>(wParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case TTM_GETTIPBKCOLOR:
            return background_;
        case TTM_GETTIPTEXTCOLOR:
            return foreground_;
        case TTM_SETMAXTIPWIDTH: {
            const int previous = maxWidth_;
            maxWidth_ = static_cast<int>(lParam);
            return previous;
        }
        case TTM_GETMAXTIPWIDTH:
            return maxWidth_;
        case TTM_POP:
            Hide();
            KillTimer(hwnd_, kShowTimer);
            dismissed_ = true;
            return 0;
        case TTM_POPUP: {
            const int index = ToolUnderCursor();
            if (active_ && index >= 0) {
                KillTimer(hwnd_, kShowTimer);
                current_ = index;
                dismissed_ = false;
                Show(index);
                SetTimer(hwnd_, kLeaveTimer, kLeavePeriod, nullptr);
            }
            return 0;
        }
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace

void RegisterToolTipClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(TOOLTIPS_CLASSA, ControlProcedure<ToolTip>, 0);
}

}  // namespace platform
