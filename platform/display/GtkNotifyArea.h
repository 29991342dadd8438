// The notification icons of this process in the desktop's system tray (the XEmbed tray that
// panels and `trayer` host), each with its picture and tip; presses and releases on an icon reach
// its window as the icon's callback message, with WM_LBUTTONDBLCLK (WM_RBUTTONDBLCLK...) for the
// second press of a double click, as the taskbar sends them.
//
// Every call runs on the presenter's GTK thread. Without a tray on the desktop the icons wait,
// unseen, until one appears. The mouse moving over an icon is not reported (GTK's tray icon
// does not tell), nor are balloon tips shown.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/NotifyIcon.h"

typedef struct _GtkStatusIcon GtkStatusIcon;
typedef union _GdkEvent GdkEvent;

namespace platform {

class GtkNotifyArea {
public:
    GtkNotifyArea() = default;
    ~GtkNotifyArea();
    GtkNotifyArea(const GtkNotifyArea&) = delete;
    GtkNotifyArea& operator=(const GtkNotifyArea&) = delete;

    // Brings the tray in step with the icons the platform holds now.
    void Refresh();

private:
    struct Shown {
        HWND hwnd = nullptr;
        UINT id = 0;
        GtkStatusIcon* status = nullptr;
        // The last press, to tell a double click.
        unsigned pressedButton = 0;
        unsigned pressTime = 0;
    };

    static int OnButton(GtkStatusIcon* status, GdkEvent* event, void* self);
    void ShowPicture(GtkStatusIcon* status, HICON icon);

    std::vector<Shown> shown_;
};

}  // namespace platform
