// The state and behaviour behind one header window.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/Header.h"
#include "platform/windows/WindowApi.h"

namespace platform::views {

class HeaderControl {
public:
    explicit HeaderControl(HWND hwnd) : hwnd_(hwnd) {}
    HeaderControl(const HeaderControl&) = delete;
    HeaderControl& operator=(const HeaderControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        std::string text;
        int width = 0;
        int format = HDF_LEFT | HDF_STRING;
        LPARAM data = 0;
        int image = -1;
    };

    int Count() const { return static_cast<int>(items_.size()); }
    RECT ItemRect(int index) const;
    int HitTest(POINT point, UINT* flags) const;
    LRESULT Insert(int index, const HDITEMA* item);
    BOOL Remove(int index);
    BOOL Get(int index, HDITEMA* item) const;
    BOOL Set(int index, const HDITEMA* item);
    void Layout(HDLAYOUT* layout) const;
    LRESULT Notify(UINT code, int index, int button, HDITEMA* item);

    // Messages.
    LRESULT HitTest(HDHITTESTINFO* info) const;
    LRESULT GetItemRect(int index, RECT* rect) const;
    void SetFont(HFONT font, bool redraw);

    // Input.
    void MouseDown(POINT point, bool doubleClick);
    void MouseMove(POINT point);
    void MouseUp(POINT point);
    void CaptureChanged(HWND capture);

    void Paint();

    HWND hwnd_;
    std::vector<Item> items_;
    HFONT font_ = nullptr;
    int tracking_ = -1;
    int trackStartX_ = 0;
    int trackStartWidth_ = 0;
    int pressed_ = -1;
};

}  // namespace platform::views
