// Lookups and checks every program's resource tests apply to their compiled dialogs and menus.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/resources/ResourceApi.h"

namespace platform::resource_checks {

// Loads a dialog template, failing the test when it is missing.
DialogTemplate Dialog(int id);

const DialogControl* ById(const DialogTemplate& dialog, DWORD id);
const DialogControl* ByText(const DialogTemplate& dialog, const std::string& text);
bool IsHidden(const DialogControl& control);
bool IsGroupBox(const DialogControl& control);

// Expects a control with this id, class and text; returns it for further checks.
const DialogControl& Control(const DialogTemplate& dialog, DWORD id, const std::string& className,
                             const std::string& text);

void ExpectSongTi9(const DialogTemplate& dialog);

// Every control, hidden ones too, lies inside the dialog, and no two visible controls overlap
// except group boxes around their contents. A combo box counts with its closed height, an icon
// with its own size.
void ExpectInsideWithoutOverlaps(const DialogTemplate& dialog, int id);

// Which controls' texts must fit: hidden controls may hold texts the program replaces first.
enum class TextCheck { All, VisibleOnly };

// Texts fit their controls in 宋体 9 pt, which draws an ASCII character 6 pixels wide and a
// Chinese one 12, that is 4 and 8 dialog units. Radio buttons and check boxes need 12 more for
// their box, group boxes 10 for their frame, push buttons 4; a static two lines high may wrap once.
void ExpectTextsFit(const DialogTemplate& dialog, int id, TextCheck which = TextCheck::All);

// Loads a menu template, failing the test when it is missing.
MenuTemplate Menu(int id);

// The commands of a menu tree, popups flattened and separators left out, as (id, text).
std::multimap<DWORD, std::string> Commands(const std::vector<MenuItem>& items);

// The texts of one menu level, in order.
std::vector<std::string> ItemTexts(const std::vector<MenuItem>& items);

}  // namespace platform::resource_checks
