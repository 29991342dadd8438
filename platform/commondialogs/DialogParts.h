// What the common dialogs' windows share: their templates in the system's dialog font and the
// registration of the controls they hold.
#pragma once

#include <string>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/DialogApi.h"

namespace platform::dialog_parts {

// A control without an id of its own.
inline constexpr WORD kNoId = 0xFFFF;

// A modal dialog of `cx` by `cy` dialog units in 宋体 9 pt, centred on the screen.
DialogTemplate Dialog(std::string caption, int cx, int cy);

void Add(DialogTemplate& dialog, const char* className, std::string text, WORD id, DWORD style,
         int x, int y, int cx, int cy);

// Registers the button, static, edit, list box and combo box classes.
void RegisterControls();

// The text of a dialog's control.
std::string ItemText(HWND dialog, int id);

}  // namespace platform::dialog_parts
