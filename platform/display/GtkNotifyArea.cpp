#include "platform/display/GtkNotifyArea.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "platform/display/IconPixbuf.h"
#include "platform/drawing/IconApi.h"
#include "platform/text/Encoding.h"
#include "platform/windows/WindowApi.h"

// GtkStatusIcon is GTK 3's only client of the XEmbed system tray; it is deprecated because newer
// desktops prefer other protocols, but it is the one the tray hosts on X11 speak.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

namespace platform {

namespace {

// The mouse message of a press or release of `button`; 0 for buttons the taskbar does not report.
UINT MouseMessage(unsigned button, bool down, bool second) {
    switch (button) {
        case 1:
            return !down ? WM_LBUTTONUP : (second ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
        case 2:
            return !down ? WM_MBUTTONUP : (second ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN);
        case 3:
            return !down ? WM_RBUTTONUP : (second ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN);
        default:
            return 0;
    }
}

}  // namespace

GtkNotifyArea::~GtkNotifyArea() {
    for (Shown& shown : shown_) {
        g_object_unref(shown.status);
    }
}

void GtkNotifyArea::Refresh() {
    const std::vector<NotifyIconState> icons = NotifyIcons();
    std::erase_if(shown_, [&](const Shown& shown) {
        const bool kept = std::any_of(icons.begin(), icons.end(), [&](const NotifyIconState& icon) {
            return icon.hwnd == shown.hwnd && icon.id == shown.id;
        });
        if (!kept) {
            gtk_status_icon_set_visible(shown.status, FALSE);
            g_object_unref(shown.status);
        }
        return !kept;
    });
    for (const NotifyIconState& icon : icons) {
        auto found = std::find_if(shown_.begin(), shown_.end(), [&](const Shown& shown) {
            return shown.hwnd == icon.hwnd && shown.id == icon.id;
        });
        if (found == shown_.end()) {
            GtkStatusIcon* status = gtk_status_icon_new();
            g_signal_connect(status, "button-press-event", G_CALLBACK(OnButton), this);
            g_signal_connect(status, "button-release-event", G_CALLBACK(OnButton), this);
            found = shown_.insert(shown_.end(), Shown{icon.hwnd, icon.id, status});
        }
        GtkStatusIcon* status = found->status;
        ShowPicture(status, icon.icon);
        const std::string tip = GbkToUtf8(icon.tip);
        gtk_status_icon_set_tooltip_text(status, tip.empty() ? nullptr : tip.c_str());
        // The title names the icon's window on the desktop, for screen readers and tools.
        gtk_status_icon_set_title(status, tip.c_str());
        gtk_status_icon_set_visible(status, !icon.hidden);
    }
}

void GtkNotifyArea::ShowPicture(GtkStatusIcon* status, HICON icon) {
    GdkPixbuf* picture = icon != nullptr ? PixbufOfIcon(icon) : nullptr;
    if (picture == nullptr) {
        // An icon without a picture still takes its place, as an empty square.
        picture = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, kDefaultIconSize, kDefaultIconSize);
        gdk_pixbuf_fill(picture, 0);
    }
    gtk_status_icon_set_from_pixbuf(status, picture);
    g_object_unref(picture);
}

int GtkNotifyArea::OnButton(GtkStatusIcon* status, GdkEvent* event, void* self) {
    auto* area = static_cast<GtkNotifyArea*>(self);
    const GdkEventButton& button = event->button;
    // Double clicks are told from the presses themselves, as the taskbar does.
    if (button.type != GDK_BUTTON_PRESS && button.type != GDK_BUTTON_RELEASE) {
        return TRUE;
    }
    auto found = std::find_if(area->shown_.begin(), area->shown_.end(),
                              [&](const Shown& shown) { return shown.status == status; });
    if (found == area->shown_.end()) {
        return TRUE;
    }
    const bool down = button.type == GDK_BUTTON_PRESS;
    bool second = false;
    if (down) {
        second = found->pressedButton == button.button &&
                 button.time - found->pressTime <= GetDoubleClickTime();
        // After a double click the next press starts a new pair.
        found->pressedButton = second ? 0 : button.button;
        found->pressTime = button.time;
    }
    if (const UINT message = MouseMessage(button.button, down, second)) {
        ClickNotifyIcon(found->hwnd, found->id, message);
    }
    return TRUE;
}

}  // namespace platform

G_GNUC_END_IGNORE_DEPRECATIONS
