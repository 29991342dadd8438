// The desktop's clipboard (the X CLIPBOARD selection) through GTK, for the platform's clipboard:
// text leaves as UTF-8 and comes back as GBK; pictures leave in every image format GTK can write
// (PNG first) and come back from any it can read, as opaque 32-bit pixels.
//
// Every GTK call runs on the presenter's GTK thread. Offer hands the contents over and returns;
// Foreign, ForeignPicture and ForeignFormats wait for the GTK thread, which asks the holding
// program, for at most a second; a program that does not answer by then gets no answer (kNoAnswer).
// So does a question that arrives while the GTK thread is still waiting for a holder (GTK would ask
// inside the wait, and the earlier question could only end after the later one). The GTK thread
// itself never waits for a program thread, so the wait cannot deadlock.
#pragma once

#include <atomic>
#include <functional>
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
    DesktopHolder Foreign(std::optional<std::string>& text, DesktopFormats& formats) override;
    std::optional<std::string> ForeignPicture() override;
    DesktopHolder ForeignFormats(DesktopFormats& formats) override;
    // After this, Foreign answers at once that this process holds the clipboard.
    void Stop() { stopped_ = true; }

private:
    // On the GTK thread: who holds the clipboard and, when another program does, what it offers.
    DesktopHolder HolderOffering(DesktopFormats& formats);
    // Runs `question` on the GTK thread, unless it is asking a holder already, and waits for it.
    DesktopHolder Ask(std::function<DesktopHolder()> question);

    // Marks the desktop's clipboard as ours while GTK holds it for us.
    GObject* owner_ = nullptr;
    // Only the GTK thread touches these: the text and picture offered last, and whether the last
    // offer had neither, so that the process's own contents stand while no program holds the
    // desktop's clipboard.
    std::string offered_;
    GdkPixbuf* picture_ = nullptr;
    bool kept_inside_ = false;
    bool asking_ = false;
    std::atomic<bool> stopped_ = false;
};

}  // namespace platform
