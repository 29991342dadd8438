// The desktop's side of the display: the GTK presenter and the X clients beside it live in a module
// of their own (desktopdisplay.so beside the program), so that a headless start loads none of
// GTK's libraries. The module links no platform library: it calls the program's own, so that one
// window list, one set of queues and one screen serve both. StartDisplay loads it and finds these
// two functions by name.
#pragma once

namespace platform {

inline constexpr char kDesktopModuleName[] = "desktopdisplay.so";

}  // namespace platform

extern "C" {

// Opens the desktop and connects the presenter, the clipboard, the notification area, the screen
// reader and the desktop's input to the platform; false when no X server opens.
bool PlatformStartDesktop();
// Disconnects and ends the presenter; the screen is headless again.
void PlatformStopDesktop();
}
