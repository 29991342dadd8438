// Which display the programs run on. Headless, the screen is the platform's own surface only
// (tests, CI, machines without a desktop). On a desktop the GTK presenter shows the windows and
// feeds the desktop's input back; the clipboard is then the desktop's. Program code never knows
// which it has.
//
// PLATFORM_DISPLAY=headless or PLATFORM_DISPLAY=desktop forces one; otherwise the desktop is
// chosen when DISPLAY names an X server (on Wayland, XWayland's).
#pragma once

#include <string>

namespace platform {

enum class DisplayKind { kHeadless, kDesktop };

// The choice the environment's values make; null stands for an unset variable. An unknown
// PLATFORM_DISPLAY value counts as unset.
DisplayKind ChooseDisplay(const char* forced, const char* x11Display);

// Starts the display the environment chooses, after InstallScreen. The desktop's presenter is
// loaded then, from the module beside the program (DesktopDisplay.h). When the module is missing
// or does not load, or the desktop cannot be opened, the program says so on stderr and runs
// headless, its message boxes answered as without a display.
void StartDisplay();
// Ends the presenter, if one runs; the screen is headless again.
void StopDisplay();

// Opens the module `name` beside the program with every function it calls bound now; null, with
// `path` and `failure` saying which file and why, when it does not load. A module stays loaded.
void* OpenModuleBesideProgram(const char* name, std::string& path, std::string& failure);

}  // namespace platform
