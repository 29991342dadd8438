#include "platform/dialogs/DialogFocus.h"

#include "platform/dialogs/ControlCodes.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/DialogDefaultButton.h"
#include "platform/dialogs/DialogNavigation.h"
#include "platform/dialogs/DialogRecords.h"

namespace platform {

void DialogFocus::MoveTo(HWND dialog, HWND control) {
    if (control == nullptr || !IsWindow(control)) {
        return;
    }
    DialogRecords::Update(dialog, [&](DialogRecord& record) { record.savedFocus = control; });
    SetFocus(control);
    if (GetFocus() != control) {
        return;
    }
    DialogDefaultButton::Update(dialog);
    if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
        SendMessageA(control, control_codes::kEditSetSelection, 0, -1);
    }
}

HWND DialogFocus::ControlToRestore(HWND dialog) {
    const auto record = DialogRecords::Find(dialog);
    if (record && record->savedFocus != nullptr && IsWindow(record->savedFocus) &&
        IsChild(dialog, record->savedFocus) &&
        (GetWindowLongA(record->savedFocus, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) ==
            WS_VISIBLE) {
        return record->savedFocus;
    }
    return DialogNavigation::NextTabItem(dialog, nullptr, false);
}

}  // namespace platform
