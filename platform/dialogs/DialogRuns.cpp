// Creating dialogs from the program's resources, modal runs and their end, and dialog units.
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/DialogBuilder.h"
#include "platform/dialogs/DialogRecords.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/resources/ResourceApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

void SetDialogControlFactory(DialogControlFactory factory) {
    DialogBuilder::SetControlFactory(std::move(factory));
}

DialogControl ChildControl(std::string className, std::string text, DWORD id, DWORD style, int x,
                           int y, int cx, int cy) {
    DialogControl control;
    control.className = std::move(className);
    control.text = std::move(text);
    control.id = id;
    control.style = style | WS_CHILD | WS_VISIBLE;
    control.x = x;
    control.y = y;
    control.cx = cx;
    control.cy = cy;
    return control;
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog,
                              const std::vector<DialogInitEntry>& initialItems, HWND parent,
                              DLGPROC procedure, LPARAM param) {
    return DialogBuilder::Create(instance, dialog, initialItems, parent, procedure, param, false);
}

INT_PTR DialogBoxFromTemplate(HINSTANCE instance, const DialogTemplate& dialog,
                              const std::vector<DialogInitEntry>& initialItems, HWND parent,
                              DLGPROC procedure, LPARAM param) {
    HWND hwnd =
        DialogBuilder::Create(instance, dialog, initialItems, parent, procedure, param, true);
    if (hwnd == nullptr) {
        return -1;
    }
    return RunModalDialog(hwnd, parent);
}

INT_PTR RunModalDialog(HWND dialog, HWND parent, bool destroy) {
    if (!DialogRecords::Update(dialog, [](DialogRecord& record) { record.modal = true; })) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    HWND owner = parent != nullptr ? GetAncestor(parent, GA_ROOT) : nullptr;
    INT_PTR result = 0;
    // Reads the record after every message, since the dialog may end or vanish in any of them.
    auto keepRunning = [&] {
        const auto record = DialogRecords::Find(dialog);
        if (!record) {
            return false;
        }
        result = record->result;
        return !record->ended;
    };
    bool quit = false;
    if (keepRunning()) {
        if (!IsWindowVisible(dialog)) {
            ShowWindow(dialog, SW_SHOWNORMAL);
        }
        quit = !RunModalLoop(owner, keepRunning);
    }
    if (destroy && IsWindow(dialog)) {
        DestroyWindow(dialog);
    }
    return quit ? -1 : result;
}

}  // namespace platform

HWND CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                        DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    const auto dialog = platform::LoadDialogTemplate(hInstance, lpTemplateName);
    if (!dialog) {
        return nullptr;
    }
    const auto items = platform::LoadDialogInit(hInstance, lpTemplateName);
    return platform::CreateDialogFromTemplate(
        hInstance, *dialog, items.value_or(std::vector<platform::DialogInitEntry>{}), hWndParent,
        lpDialogFunc, dwInitParam);
}

INT_PTR DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                        DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    const auto dialog = platform::LoadDialogTemplate(hInstance, lpTemplateName);
    if (!dialog) {
        return -1;
    }
    const auto items = platform::LoadDialogInit(hInstance, lpTemplateName);
    return platform::DialogBoxFromTemplate(hInstance, *dialog,
                                           items.value_or(std::vector<platform::DialogInitEntry>{}),
                                           hWndParent, lpDialogFunc, dwInitParam);
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult) {
    bool modal = false;
    const bool isDialog =
        platform::DialogRecords::Update(hDlg, [&](platform::DialogRecord& record) {
            record.ended = true;
            record.result = nResult;
            modal = record.modal;
        });
    if (!isDialog) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (modal) {
        // The owner comes back first, so that it is the window activated when the dialog hides.
        if (HWND owner = GetWindow(hDlg, GW_OWNER); owner != nullptr) {
            EnableWindow(owner, TRUE);
        }
    }
    ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect) {
    const auto record = platform::DialogRecords::Find(hDlg);
    if (!record || lpRect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = platform::DialogUnitsToPixels(*lpRect, record->units);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    const platform::DialogBaseUnits units = platform::DialogBaseUnitsOf(nullptr);
    return MAKELONG(units.x, units.y);
}
