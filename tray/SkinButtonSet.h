// Bitmap buttons drawn onto their owner window and hit-tested by its mouse events, made from the
// button lines of the skin file: "x,y,width,height,state,shape,toggle,bitmap" (width 100 and
// height 20 when missing, the other numbers 0). The bitmap is a strip of frames, one per state,
// each as wide as the button. Clicks and repaints reach the owner as posted messages.
//
// No mask pictures exist for shaped buttons, so every shape is drawn as it is and hit-tested over
// its whole rectangle. Hover ends by the mouse-move rule alone: no timer watches the pointer, so
// a pointer that leaves the owner from a button costs nothing until it comes back.
#pragma once

#include <memory>
#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/DC.h"
#include "platform/framework/Wnd.h"

// wParam the button's index, lParam the set's click value.
inline constexpr UINT WM_SKIN_BUTTON_CLICK = 1124;
inline constexpr UINT WM_SKIN_BUTTON_REDRAW = 1125;

class CSkinButtonSet {
public:
    static constexpr int kMaxButtons = 10;
    // The longest bitmap file name of a button line.
    static constexpr std::size_t kMaxNameBytes = 259;

    enum State { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3, kToggled = 4 };

    struct Button {
        int state = kNormal;
        int toggle = 0;
        RECT rect{};
        CBitmap strip;
        int shape = 0;
    };

    // The fields of a button line; the name is empty when the line has none or it is longer
    // than 259 bytes.
    struct ButtonLine {
        int x = 0;
        int y = 0;
        int width = 100;
        int height = 20;
        int state = 0;
        int shape = 0;
        int toggle = 0;
        std::string bitmap;
    };
    static ButtonLine ParseButtonLine(const char* line);

    virtual ~CSkinButtonSet() = default;

    int Attach(CWnd* owner, int clickValue);
    // 0 added; 1 when ten buttons exist; 2 when the bitmap does not load (or its name is longer
    // than 259 bytes).
    int AddButtonLine(const char* line);
    void Draw(CDC* dc);
    // The last button under the point, -1 when none; `active` gets the last button in hover or
    // pressed state (-1 when none).
    int HitTest(int x, int y, int* active) const;
    // 0 when the pointer is over a button, 1 otherwise.
    int OnMouseMove(int x, int y);
    // 0 when they acted, 1 otherwise.
    int OnLButtonDown(int x, int y);
    int OnLButtonUp(int x, int y);
    int FindToggledButton() const;
    void PostClick(int index);

    int count() const { return count_; }
    const Button& button(int index) const { return *buttons_[index]; }

private:
    void PostRedraw();

    int count_ = 0;
    std::unique_ptr<Button> buttons_[kMaxButtons];
    int pressed_ = -1;
    CWnd* owner_ = nullptr;
    int clickValue_ = 0;
};
