#include "platform/dialogs/DialogDefaultButton.h"

#include <vector>

#include "platform/dialogs/ControlCodes.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/DialogNavigation.h"
#include "platform/dialogs/DialogRecords.h"

namespace platform {

namespace {

LRESULT CodeOf(HWND hwnd) {
    return SendMessageA(hwnd, WM_GETDLGCODE, 0, 0);
}

bool IsPushButton(LRESULT code) {
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// Until now the default may have been found by its look alone; once the look moves away from it,
// the dialog has to remember which button it was.
void KeepDefault(HWND dialog) {
    const auto record = DialogRecords::Find(dialog);
    if (!record || record->defaultId) {
        return;
    }
    const LRESULT found = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    const WORD id = HIWORD(found) == DC_HASDEFID ? LOWORD(found) : WORD{0};
    DialogRecords::Update(dialog, [&](DialogRecord& kept) {
        if (!kept.defaultId) {
            kept.defaultId = id;
        }
    });
}

HWND DefaultButton(HWND dialog, const std::vector<HWND>& items) {
    const LRESULT found = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(found) != DC_HASDEFID) {
        return nullptr;
    }
    for (HWND item : items) {
        if (GetDlgCtrlID(item) == LOWORD(found)) {
            return item;
        }
    }
    return nullptr;
}

}  // namespace

void DialogDefaultButton::Update(HWND dialog) {
    const std::vector<HWND> items = DialogNavigation::Items(dialog);
    HWND target = DialogNavigation::ItemOf(dialog, GetFocus());
    if (target != nullptr && IsPushButton(CodeOf(target))) {
        KeepDefault(dialog);
    } else {
        target = DefaultButton(dialog, items);
    }
    for (HWND item : items) {
        if (item != target && (CodeOf(item) & DLGC_DEFPUSHBUTTON)) {
            SendMessageA(item, control_codes::kButtonSetStyle, control_codes::kPushButton, TRUE);
        }
    }
    if (target != nullptr && (CodeOf(target) & DLGC_UNDEFPUSHBUTTON)) {
        SendMessageA(target, control_codes::kButtonSetStyle, control_codes::kDefaultPushButton,
                     TRUE);
    }
}

}  // namespace platform
