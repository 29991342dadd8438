#include "platform/controls/ControlClasses.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Header.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListView.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/Progress.h"
#include "platform/controls/ReBar.h"
#include "platform/controls/RichEdit.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/Static.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/controls/ToolTip.h"
#include "platform/controls/TreeView.h"

namespace {

void RegisterStandardClasses() {
    platform::RegisterButtonClass();
    platform::RegisterStaticClass();
    platform::RegisterEditClass();
    platform::RegisterListBoxClass();
    platform::RegisterComboBoxClass();
    platform::RegisterScrollBarClass();
}

}  // namespace

void InitCommonControls() {
    const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    if (picce == nullptr || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
        return FALSE;
    }
    const DWORD flags = picce->dwICC;
    if (flags & ICC_LISTVIEW_CLASSES) {
        platform::RegisterHeaderClass();
        platform::RegisterListViewClass();
    }
    if (flags & ICC_TREEVIEW_CLASSES) {
        platform::RegisterTreeViewClass();
    }
    if (flags & ICC_BAR_CLASSES) {
        platform::RegisterToolBarClass();
        platform::RegisterStatusBarClass();
    }
    if (flags & ICC_TAB_CLASSES) {
        platform::RegisterTabControlClass();
    }
    if (flags & (ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES)) {
        platform::RegisterToolTipClass();
    }
    if (flags & ICC_PROGRESS_CLASS) {
        platform::RegisterProgressClass();
    }
    if (flags & ICC_COOL_CLASSES) {
        platform::RegisterReBarClass();
    }
    if (flags & ICC_STANDARD_CLASSES) {
        RegisterStandardClasses();
    }
    return TRUE;
}

namespace platform {

void RegisterControlClasses() {
    RegisterStandardClasses();
    const INITCOMMONCONTROLSEX all{sizeof(INITCOMMONCONTROLSEX),
                                   ICC_WIN95_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&all);
    RegisterRichEditClass();
    RegisterPopupMenuClass();
    InstallWindowScrollBars();
}

}  // namespace platform
