// The desktop's clipboard (the X CLIPBOARD selection) through GTK, for the platform's clipboard:
// text leaves as UTF-8 and comes back as GBK; pictures leave in every image format GTK can write
// (PNG first) and come back from any it can read, as opaque 32-bit pixels.
//
// Every GTK call runs on the presenter's GTK thread. Offer hands the text over and returns;
// Foreign waits for the GTK thread, which asks the holding program, for at most a second (a
// program that does not answer counts as holding no text). The GTK thread itself never waits for
// a program thread, so the wait cannot deadlock.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "platform/controls/Clipboard.h"

typedef struct _GObject GObject;
typedef struct _GdkPixbuf GdkPixbuf;

namespace platform {

class GtkClipboard final : public DesktopClipboard {
public:
    // Call on the GTK thread, which must run GTK's main loop from then on.
    GtkClipboard();

    void Offer(DesktopContents contents) override;
    std::optional<DesktopContents> Foreign() override;
    // After this, Foreign answers at once that this process holds the clipboard.
    void Stop() { stopped_ = true; }

private:
    // Marks the desktop's clipboard as ours while GTK holds it for us.
    GObject* owner_ = nullptr;
    // Only the GTK thread touches these: the text and picture offered last, and whether the last
    // offer had neither, so that the process's own contents stand while no program holds the
    // desktop's clipboard.
    std::string offered_;
    GdkPixbuf* picture_ = nullptr;
    bool kept_inside_ = false;
    std::atomic<bool> stopped_ = false;
};

}  // namespace platform
