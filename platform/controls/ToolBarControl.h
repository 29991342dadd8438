// The state and behaviour behind one tool bar window.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/ToolBar.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class ToolBarControl {
public:
    explicit ToolBarControl(HWND hwnd) : hwnd_(hwnd) {}
    ToolBarControl(const ToolBarControl&) = delete;
    ToolBarControl& operator=(const ToolBarControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Button {
        int image = 0;
        int command = 0;
        BYTE state = 0;
        BYTE style = 0;
        DWORD_PTR data = 0;
        INT_PTR string = -1;
        std::string text;
        int width = 0;  // set with TBIF_SIZE; 0 lets the bar decide
        RECT rect{};

        bool Separator() const { return (style & BTNS_SEP) != 0; }
        bool Visible() const { return (state & TBSTATE_HIDDEN) == 0; }
        bool Enabled() const { return (state & TBSTATE_ENABLED) != 0; }
    };

    static constexpr SIZE kDefaultBitmap{16, 15};
    // A button is its image plus a 4-pixel border left and right and 3 and 4 pixels above and
    // below.
    static constexpr SIZE kButtonPadding{8, 7};
    static constexpr int kArrowWidth = 14;
    static constexpr int kTextGap = 4;
    static constexpr UINT_PTR kLeaveTimer = 1;

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    int Count() const { return static_cast<int>(buttons_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int IndexOf(int command) const;
    Button* ByCommand(int command) {
        const int index = IndexOf(command);
        return index >= 0 ? &buttons_[static_cast<size_t>(index)] : nullptr;
    }
    bool ShowsText() const { return maxTextRows_ > 0; }
    // Mixed list bars show texts only on the buttons that ask for it.
    bool ShowsText(const Button& button) const {
        return ShowsText() &&
               ((extendedStyle_ & TBSTYLE_EX_MIXEDBUTTONS) == 0 || (Style() & TBSTYLE_LIST) == 0 ||
                (button.style & BTNS_SHOWTEXT) != 0);
    }
    bool HasArrow(const Button& button) const {
        return (button.style & BTNS_WHOLEDROPDOWN) != 0 ||
               ((button.style & BTNS_DROPDOWN) != 0 &&
                (extendedStyle_ & TBSTYLE_EX_DRAWDDARROWS) != 0);
    }
    bool OnDropDownPart(const Button& button, POINT point) const;

    SIZE ButtonSize(HDC dc) const;
    void Layout();
    void SyncTools();
    void Changed();
    int HitTest(POINT point) const;
    LRESULT HitTestResult(POINT point) const;

    bool Insert(int index, const TBBUTTON* source);
    Button FromStruct(const TBBUTTON& source) const;
    void ToStruct(const Button& button, TBBUTTON* target) const;
    LRESULT AddStrings(HINSTANCE instance, LPARAM strings);
    LRESULT GetInfo(WPARAM which, TBBUTTONINFOA* info) const;
    LRESULT SetInfo(WPARAM which, const TBBUTTONINFOA* info);
    LRESULT SetStateBit(int command, BYTE bit, bool on);
    void Check(int index);
    void AutoSize();

    // Messages.
    void Create();
    void Destroy();
    LRESULT AddButtons(WPARAM count, const BYTE* buttons);
    LRESULT InsertButton(int index, const TBBUTTON* button);
    LRESULT DeleteButton(int index);
    LRESULT GetButton(int index, TBBUTTON* button) const;
    LRESULT AddString(HINSTANCE instance, LPARAM strings);
    LRESULT GetButtonRect(int index, RECT* rect) const;
    LRESULT SetSize(SIZE& size, LPARAM lParam);
    LRESULT MeasuredButtonSize() const;
    void SetToolTips(HWND tooltip);
    LRESULT SetNotifyWindow(HWND window);
    LRESULT SetCommandId(int index, int command);
    LRESULT GetButtonText(int command, char* buffer) const;
    LRESULT SetIndent(int indent);
    LRESULT SetImageList(UINT message, HIMAGELIST images);
    void SetStyle(DWORD style);
    LRESULT SetExtendedStyle(DWORD style);
    LRESULT SetMaxTextRows(int rows);
    LRESULT SetHotItem(int index);
    LRESULT GetMaxSize(SIZE* size) const;
    LRESULT HasStateBit(UINT message, int command) const;
    LRESULT SetState(int command, BYTE state);
    LRESULT GetState(int command) const;

    // Input.
    void SetHot(int index, DWORD reason);
    void OnMouseMove(POINT point);
    void OnButtonDown(POINT point);
    void OnButtonUp(POINT point);
    void CaptureChanged(HWND capture);
    void LeaveTimer();
    void Click(int index);
    LRESULT Notify(NMHDR& header) const;
    LRESULT ChildNotify(const NMHDR* header) const;
    void DropDown(int index);
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);

    // Painting.
    void Paint();
    void PaintButton(HDC dc, const Button& button, int index) const;
    void PaintBackground(HDC dc);
    LRESULT EraseBackground(HDC dc);

    HWND hwnd_;
    HWND notify_ = nullptr;
    std::vector<Button> buttons_;
    std::vector<std::string> strings_;
    size_t structSize_ = sizeof(TBBUTTON);
    SIZE bitmapSize_ = kDefaultBitmap;
    SIZE buttonSize_{0, 0};  // as set; zero parts follow the images and texts
    int indent_ = 0;
    int maxTextRows_ = 1;
    int rows_ = 1;
    SIZE extent_{0, 0};
    DWORD extendedStyle_ = 0;
    HIMAGELIST images_ = nullptr;
    HIMAGELIST hotImages_ = nullptr;
    HIMAGELIST disabledImages_ = nullptr;
    HFONT font_ = nullptr;
    HWND tooltip_ = nullptr;
    bool ownsTooltip_ = false;
    std::vector<int> tools_;  // command ids that have a tool
    int hot_ = -1;
    int pressed_ = -1;
};

}  // namespace platform
