#include "browser/CtrlKeyCommands.h"

#include "platform/framework/FrameworkIds.h"
#include "platform/windows/WindowConstants.h"
#include "resources/quorra/resource.h"

UINT CommandOfCtrlKey(WPARAM key) {
    switch (key) {
        case VK_HOME:
            return ID_GO_HOME;
        case 'A':
            return ID_EDIT_SELECT_ALL;
        case 'N':
            return ID_FILE_NEW;
        case 'O':
            return ID_FILE_OPEN;
        case 'S':
            return ID_SAVE_HTML;
        default:
            return 0;
    }
}
