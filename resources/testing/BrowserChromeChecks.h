// Checks on the resources of the browser's chrome, which the browser and the picture collector
// both carry: the main menu and its commands, the small menus, the accelerators, the tool bar's
// prompts and the bitmaps of the bars and buttons.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/resources/ResourceApi.h"

namespace platform::resource_checks {

// Every command of the browser's main menu with its text.
const std::map<DWORD, std::string>& BrowserMenuCommands();

// One popup "菜单" of seven popups (tools, view, file, favourites, edit, go, help) then About and
// Exit; the favourites popup's eighth item is the popup the favourites are listed in.
void ExpectBrowserMainMenu(const MenuTemplate& menu);

// The menu holds exactly the expected commands, each once with its text.
void ExpectCommandsOnce(const std::vector<MenuItem>& items,
                        const std::map<DWORD, std::string>& expected);

// The font size, page filter, tab and refresh menus, each a first popup as the frame shows it.
void ExpectBrowserSmallMenus(int fontSize, int filter, int tab, int refresh);

// The seven keys of the browser's accelerator table.
const std::vector<AcceleratorEntry>& BrowserAccelerators();

// The command's string is a status bar prompt and a tool tip, split by one line feed.
void ExpectPromptAndTip(UINT command);

// The standard tool bar's three strips of 13 cells of 32 x 32: each picture inside the button
// image size (25 x 23), every cell different; the looks share one mask, the disabled one is grey
// and the hot one differs from the normal one in every cell.
void ExpectToolBarStrips(int normal, int disabled, int hot);

// A hover button shows image 0 and, under the mouse, image 1 of its bitmap; the second bitmap of
// a pair starts with that same hot image.
void ExpectHoverPair(int normal, int hot, int cx, int cy);

// The filter switch's two 20 x 20 bitmaps, paused and on: each with its own hot image, the two
// looking different.
void ExpectFilterSwitch(int paused, int on);

// The filter button's two 100 x 20 backgrounds, whose middle stays clear for the text the button
// writes over it.
void ExpectFilterButton(int id);

// Six different 24 x 24 frames of the busy animation, each mostly transparent.
void ExpectBusyFrames(int id);

void ExpectProgramIcon(int id);

}  // namespace platform::resource_checks
