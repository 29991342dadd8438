// The state and behaviour behind one status bar window.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/StatusBar.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class StatusBarControl {
public:
    explicit StatusBarControl(HWND hwnd) : hwnd_(hwnd), parts_(1), edges_{-1} {}
    StatusBarControl(const StatusBarControl&) = delete;
    StatusBarControl& operator=(const StatusBarControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Part {
        std::string text;
        UINT type = 0;
        LPARAM value = 0;  // what an owner-drawn part carries instead of a text
        HICON icon = nullptr;
        std::string tip;
    };

    static constexpr int kBorderX = 0;
    static constexpr int kBorderY = 2;
    static constexpr int kBetween = 2;
    static constexpr int kTextInset = 3;
    static constexpr int kGripSize = 14;

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    int Count() const { return static_cast<int>(parts_.size()); }
    Part* PartAt(int index) {
        if (index == SB_SIMPLEID) {
            return &simplePart_;
        }
        return index >= 0 && index < Count() ? &parts_[static_cast<size_t>(index)] : nullptr;
    }
    int Height() const;
    void Reposition();
    bool PartRect(int index, RECT* rect) const;
    LRESULT SetText(WPARAM wParam, LPARAM lParam);
    LRESULT TextResult(const Part& part) const;
    LRESULT SetParts(int count, const int* edges);
    void SetSimple(bool simple);
    void Invalidate(int index);

    // Messages.
    void Create(const CREATESTRUCTA* create);
    void SetFont(HFONT font, bool redraw);
    LRESULT GetPartText(int index, char* buffer);
    LRESULT GetPartTextLength(int index);
    LRESULT GetParts(size_t capacity, int* edges) const;
    LRESULT GetBorders(int* borders) const;
    LRESULT SetIcon(int index, HICON icon);
    LRESULT GetIcon(int index);
    void SetTipText(int index, const char* text);
    void GetTipText(int index, char* buffer, int capacity);
    LRESULT SetBackground(COLORREF color);

    // Input.
    LRESULT HitTest(POINT screen);

    // Painting.
    void Paint();
    void PaintPart(HDC dc, const Part& part, RECT rect, int index);

    HWND hwnd_;
    std::vector<Part> parts_;
    std::vector<int> edges_;
    Part simplePart_;
    bool simple_ = false;
    int minHeight_ = 0;
    COLORREF background_ = CLR_DEFAULT;
    HFONT font_ = nullptr;
};

}  // namespace platform
