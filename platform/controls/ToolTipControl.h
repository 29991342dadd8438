// The state and behaviour behind one tool tip window.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/ToolTip.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class ToolTipControl {
public:
    explicit ToolTipControl(HWND hwnd) : hwnd_(hwnd) {
        const int doubleClick = static_cast<int>(GetDoubleClickTime());
        initial_ = doubleClick;
        autopop_ = doubleClick * 10;
        reshow_ = doubleClick / 5;
    }
    ToolTipControl(const ToolTipControl&) = delete;
    ToolTipControl& operator=(const ToolTipControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Tool {
        UINT flags = 0;
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        RECT rect{};
        bool callback = false;
        std::string text;
        LPARAM param = 0;

        HWND Window() const {
            return (flags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(id) : hwnd;
        }
    };

    static constexpr UINT_PTR kShowTimer = 1;
    static constexpr UINT_PTR kPopTimer = 2;
    // There is no leave message for a window the mouse left entirely, so the tip watches the
    // cursor.
    static constexpr UINT_PTR kLeaveTimer = 3;
    static constexpr UINT kLeavePeriod = 100;
    static constexpr int kMargin = 3;
    // A caller that passes no buffer size gets the size of NMTTDISPINFOA::szText.
    static constexpr size_t kClassicTextLimit = 80;

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
    static std::string ToolText(const TOOLINFOA& info);
    static void CopyText(const std::string& text, LPSTR buffer, size_t size);

    // Messages.
    void Destroy();
    void Activate(bool active);
    void SetDelayTime(WPARAM which, int value);
    LRESULT DelayTime(WPARAM which) const;
    void NewToolRect(const TOOLINFOA* info);
    LRESULT GetToolInfo(TOOLINFOA* info) const;
    void SetToolInfo(const TOOLINFOA* info);
    void GetText(size_t size, TOOLINFOA* info);
    void UpdateTipText(const TOOLINFOA* info);
    void TrackActivate(bool on, const TOOLINFOA* info);
    void TrackPosition(POINT position);
    void SetColor(COLORREF& slot, COLORREF color);
    LRESULT SetMaxTipWidth(int width);
    void Pop();
    void Popup();

    // Input.
    void Relay(const MSG& msg);
    void OnTimer(UINT_PTR id);
    void Forget();

    // Showing and painting.
    void Show(int index);
    void Hide();
    void Paint();

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

}  // namespace platform
