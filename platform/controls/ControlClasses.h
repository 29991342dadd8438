// One entry that makes the controls available by class name: the common controls' initialisation
// functions, each ICC_ flag registering its classes, and the start-up registration of every
// class this layer has. The standard classes (Button, Static, Edit, ListBox, ComboBox,
// ScrollBar) need no call on the original system; here the framework's start-up registers them
// with everything else.
#pragma once

#include "platform/base/WinTypes.h"

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_INTERNET_CLASSES 0x00000800
#define ICC_PAGESCROLLER_CLASS 0x00001000
#define ICC_NATIVEFNTCTL_CLASS 0x00002000
#define ICC_STANDARD_CLASSES 0x00004000
#define ICC_LINK_CLASS 0x00008000

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

// Registers the classes of ICC_WIN95_CLASSES.
void InitCommonControls();
// Registers the classes of every flag in dwICC: list view and header; tree view; tool bar and
// status bar; tab control; progress bar; rebar; the standard classes; tool tips with the tree,
// bar and tab flags. Flags of controls this layer does not have register nothing. FALSE for a
// null pointer or a dwSize that is not the structure's size.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

namespace platform {

// Registers every standard and common control class, the rich edit and the pop-up menu class,
// and connects the window scroll bars. Idempotent.
void RegisterControlClasses();

}  // namespace platform
