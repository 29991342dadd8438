#include "platform/dialogs/DialogBuilder.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/dialogs/ControlCodes.h"
#include "platform/dialogs/DialogFocus.h"
#include "platform/dialogs/DialogNavigation.h"
#include "platform/dialogs/DialogRecords.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

std::mutex factoryMutex;
DialogControlFactory& Factory() {
    static DialogControlFactory factory;
    return factory;
}

DialogControlFactory CurrentFactory() {
    std::lock_guard lock(factoryMutex);
    return Factory();
}

HFONT CreateDialogFont(const DialogTemplate& dialog) {
    HDC screen = CreateCompatibleDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    DeleteDC(screen);
    const int height = -((dialog.pointSize * dotsPerInch + 36) / 72);
    // A DIALOG template's font has no weight, style or character set of its own.
    const int weight = dialog.weight != 0 ? dialog.weight : FW_NORMAL;
    const BYTE charset = dialog.extended ? dialog.charset : DEFAULT_CHARSET;
    return CreateFontA(height, 0, 0, 0, weight, dialog.italic ? 1 : 0, 0, 0, charset, 0, 0, 0, 0,
                       dialog.faceName.c_str());
}

// The window rectangle around a client area at (x, y) of the template's size, placed as the
// template says: in the parent's client area for a child, else relative to the owner's client
// area (or the screen with DS_ABSALIGN, or centred with DS_CENTER) and kept on the screen.
RECT PlaceWindow(const DialogTemplate& dialog, DWORD style, DWORD exStyle, HWND parent,
                 DialogBaseUnits units) {
    RECT rect{DialogUnitsToPixelsX(dialog.x, units), DialogUnitsToPixelsY(dialog.y, units), 0, 0};
    rect.right = rect.left + DialogUnitsToPixelsX(dialog.cx, units);
    rect.bottom = rect.top + DialogUnitsToPixelsY(dialog.cy, units);
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    if (style & WS_CHILD) {
        return rect;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = rect.left;
    int y = rect.top;
    if (dialog.style & DS_CENTER) {
        x = (screenWidth - width) / 2;
        y = (screenHeight - height) / 2;
    } else if ((dialog.style & DS_ABSALIGN) == 0 && parent != nullptr) {
        POINT origin{0, 0};
        ClientToScreen(parent, &origin);
        x += origin.x;
        y += origin.y;
    }
    x = std::max(0, std::min(x, screenWidth - width));
    y = std::max(0, std::min(y, screenHeight - height));
    return RECT{x, y, x + width, y + height};
}

bool SameClassName(const std::string& name, std::string_view other) {
    return std::ranges::equal(name, other, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The dialog manager gives the controls one types into or picks from the sunken 3-D edge in
// place of the flat border their templates ask for (EDITTEXT and LISTBOX have WS_BORDER by
// default); other controls keep a thin black line.
bool TakesSunkenEdge(const std::string& className) {
    static constexpr std::string_view kClasses[] = {"Edit",          "ListBox",    "SysListView32",
                                                    "SysTreeView32", "RICHEDIT",   "RichEdit20A",
                                                    "RichEdit20W",   "RICHEDIT50W"};
    return std::ranges::any_of(
        kClasses, [&](std::string_view name) { return SameClassName(className, name); });
}

HWND CreateControl(HWND dialog, HINSTANCE instance, const DialogControl& control,
                   DialogBaseUnits units) {
    DWORD style = control.style | WS_CHILD;
    DWORD exStyle = control.exStyle | WS_EX_NOPARENTNOTIFY;
    if ((style & WS_BORDER) && TakesSunkenEdge(control.className)) {
        style &= ~static_cast<DWORD>(WS_BORDER);
        exStyle |= WS_EX_CLIENTEDGE;
    }
    const int x = DialogUnitsToPixelsX(control.x, units);
    const int y = DialogUnitsToPixelsY(control.y, units);
    const RECT pixels{x, y, x + DialogUnitsToPixelsX(control.cx, units),
                      y + DialogUnitsToPixelsY(control.cy, units)};
    const std::string text =
        control.textResourceId ? "#" + std::to_string(*control.textResourceId) : control.text;
    void* creationData =
        control.extraData.empty() ? nullptr : const_cast<char*>(control.extraData.data());
    HWND hwnd = CreateWindowExA(
        exStyle, control.className.c_str(), text.c_str(), style, pixels.left, pixels.top,
        pixels.right - pixels.left, pixels.bottom - pixels.top, dialog,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)), instance, creationData);
    if (hwnd == nullptr && GetLastError() == static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS)) {
        if (DialogControlFactory factory = CurrentFactory()) {
            hwnd = factory(dialog, control, pixels);
        }
        if (hwnd == nullptr) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        }
    }
    return hwnd;
}

void AddInitialItems(HWND dialog, const std::vector<DialogInitEntry>& items) {
    for (const DialogInitEntry& entry : items) {
        UINT message = 0;
        if (entry.message == kDialogInitComboBoxAddString) {
            message = control_codes::kComboAddString;
        } else if (entry.message == kDialogInitListBoxAddString) {
            message = control_codes::kListAddString;
        } else {
            continue;
        }
        HWND control = GetDlgItem(dialog, entry.controlId);
        if (control == nullptr) {
            continue;
        }
        // The stored bytes end with the text's NUL; a damaged entry without one still ends here.
        const std::string text = entry.data.substr(0, entry.data.find('\0'));
        SendMessageA(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

}  // namespace

HWND DialogBuilder::Create(HINSTANCE instance, const DialogTemplate& dialog,
                           const std::vector<DialogInitEntry>& initialItems, HWND parent,
                           DLGPROC procedure, LPARAM param, bool modal) {
    RegisterDialogClass();
    DWORD style = dialog.style;
    DWORD exStyle = dialog.exStyle;
    if (style & DS_MODALFRAME) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    HFONT font = dialog.hasFont ? CreateDialogFont(dialog) : nullptr;
    DialogRecord record;
    record.font = font;
    record.ownsFont = font != nullptr;
    record.units = DialogBaseUnitsOf(font);

    const RECT rect = PlaceWindow(dialog, style, exStyle, parent, record.units);
    const char* className = dialog.className.empty() ? kDialogClassName : dialog.className.c_str();
    HWND hwnd = CreateWindowExA(exStyle, className, dialog.caption.c_str(), style & ~WS_VISIBLE,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                parent, nullptr, instance, reinterpret_cast<LPVOID>(param));
    if (hwnd == nullptr) {
        if (font != nullptr) {
            DeleteObject(font);
        }
        return nullptr;
    }
    DialogRecords::Add(hwnd, record);
    SetWindowLongPtrA(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (modal) {
        SetPreTranslateHandler(hwnd, [hwnd](MSG& msg) { return IsDialogMessageA(hwnd, &msg); });
    }
    if (font != nullptr) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    for (const DialogControl& control : dialog.controls) {
        HWND created = CreateControl(hwnd, instance, control, record.units);
        if (created == nullptr) {
            if (dialog.style & DS_NOFAILCREATE) {
                continue;
            }
            const DWORD error = GetLastError();
            DestroyWindow(hwnd);
            SetLastError(error);
            return nullptr;
        }
        if (font != nullptr) {
            SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    AddInitialItems(hwnd, initialItems);

    HWND first = DialogNavigation::NextTabItem(hwnd, nullptr, false);
    const LRESULT focusFirst =
        SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    if (focusFirst != 0 && first != nullptr && IsWindow(first)) {
        DialogFocus::MoveTo(hwnd, first);
    }
    const auto after = DialogRecords::Find(hwnd);
    if ((dialog.style & WS_VISIBLE) && !(after && after->ended)) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

void DialogBuilder::SetControlFactory(DialogControlFactory factory) {
    std::lock_guard lock(factoryMutex);
    Factory() = std::move(factory);
}

}  // namespace platform
