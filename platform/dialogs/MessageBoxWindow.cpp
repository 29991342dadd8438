#include "platform/dialogs/MessageBoxWindow.h"

#include <algorithm>

#include "platform/dialogs/ControlCodes.h"
#include "platform/dialogs/MessageBoxLayout.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"

namespace platform {

namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

struct Box {
    const MessageBoxCall* call = nullptr;
    const std::vector<MessageBoxButton>* buttons = nullptr;
    MessageBoxLayout layout;
};

Box* BoxOf(HWND dialog) {
    return reinterpret_cast<Box*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HFONT FontOf(HWND dialog) {
    return reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
}

SIZE MeasureText(HWND dialog, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontOf(dialog));
    RECT extent{0, 0, MessageBoxLayout::MaxTextWidth(GetSystemMetrics(SM_CXSCREEN)), 0};
    DrawTextA(dc, text.c_str(), -1, &extent, kTextFormat | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{extent.right - extent.left, extent.bottom - extent.top};
}

// Sizes and centres the box on the screen and adds the buttons; false when a button cannot be
// made.
bool Build(HWND dialog, Box& box) {
    const UINT icon = box.call->type & MB_ICONMASK;
    box.layout = MessageBoxLayout::Compute(MeasureText(dialog, box.call->text), icon != 0,
                                           static_cast<int>(box.buttons->size()));
    RECT window{0, 0, box.layout.client.cx, box.layout.client.cy};
    AdjustWindowRectEx(&window, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(dialog, nullptr, std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2),
                 std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    const size_t defaultIndex =
        MessageBoxButtons::DefaultIndex(box.call->type, box.buttons->size());
    HWND defaultButton = nullptr;
    for (size_t i = 0; i < box.buttons->size(); ++i) {
        const MessageBoxButton& button = (*box.buttons)[i];
        const RECT& rect = box.layout.buttons[i];
        const DWORD style =
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
            (i == defaultIndex ? control_codes::kDefaultPushButton : control_codes::kPushButton);
        HWND hwnd = CreateWindowExA(
            WS_EX_NOPARENTNOTIFY, "Button", button.text, style, rect.left, rect.top,
            rect.right - rect.left, rect.bottom - rect.top, dialog,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), nullptr, nullptr);
        if (hwnd == nullptr) {
            return false;
        }
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(dialog)), FALSE);
        if (i == defaultIndex) {
            defaultButton = hwnd;
        }
    }
    SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>((*box.buttons)[defaultIndex].id), 0);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(defaultButton), TRUE);
    return true;
}

void DrawBar(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const RECT bar{left, top, right, bottom};
    FillRect(dc, &bar, brush);
    DeleteObject(brush);
}

// The four system icons, drawn in their classic colours: a red disc with a white cross (stop), a
// blue disc with a white question mark, a yellow triangle with a black exclamation mark, and a
// blue disc with a white "i".
void DrawSystemIcon(HDC dc, UINT icon, const RECT& r, HFONT font) {
    const COLORREF fill = icon == MB_ICONHAND          ? RGB(255, 0, 0)
                          : icon == MB_ICONEXCLAMATION ? RGB(255, 255, 0)
                                                       : RGB(0, 0, 255);
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, icon == MB_ICONEXCLAMATION ? RGB(0, 0, 0) : fill);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int cx = (r.left + r.right) / 2;
    if (icon == MB_ICONEXCLAMATION) {
        const POINT triangle[] = {
            {cx, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.left, r.bottom - 2}};
        Polygon(dc, triangle, 3);
    } else {
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    const COLORREF white = RGB(255, 255, 255);
    if (icon == MB_ICONHAND) {
        HPEN cross = CreatePen(PS_SOLID, 3, white);
        HGDIOBJ old = SelectObject(dc, cross);
        MoveToEx(dc, r.left + 10, r.top + 10, nullptr);
        LineTo(dc, r.right - 10, r.bottom - 10);
        MoveToEx(dc, r.right - 10, r.top + 10, nullptr);
        LineTo(dc, r.left + 10, r.bottom - 10);
        SelectObject(dc, old);
        DeleteObject(cross);
    } else if (icon == MB_ICONEXCLAMATION) {
        DrawBar(dc, cx - 1, r.top + 10, cx + 2, r.bottom - 11, RGB(0, 0, 0));
        DrawBar(dc, cx - 1, r.bottom - 8, cx + 2, r.bottom - 5, RGB(0, 0, 0));
    } else if (icon == MB_ICONASTERISK) {
        DrawBar(dc, cx - 2, r.top + 7, cx + 2, r.top + 11, white);
        DrawBar(dc, cx - 2, r.top + 13, cx + 2, r.bottom - 7, white);
    } else {
        HGDIOBJ old = SelectObject(dc, font);
        SetTextColor(dc, white);
        RECT mark = r;
        DrawTextA(dc, "?", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
    }
}

void Paint(HWND dialog, const Box& box) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(dialog, &paint);
    if (dc != nullptr) {
        HFONT font = FontOf(dialog);
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT text = box.layout.text;
        DrawTextA(dc, box.call->text.c_str(), -1, &text, kTextFormat);
        if (const UINT icon = box.call->type & MB_ICONMASK; icon != 0) {
            DrawSystemIcon(dc, icon, box.layout.icon, font);
        }
        SelectObject(dc, old);
    }
    EndPaint(dialog, &paint);
}

INT_PTR CALLBACK BoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            if (!Build(dialog, *reinterpret_cast<Box*>(lParam))) {
                EndDialog(dialog, 0);
            }
            return FALSE;
        }
        case WM_PAINT:
            if (const Box* box = BoxOf(dialog)) {
                Paint(dialog, *box);
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND: {
            const Box* box = BoxOf(dialog);
            if (box == nullptr) {
                return FALSE;
            }
            const int id = LOWORD(wParam);
            if (id == IDCANCEL) {
                if (const int result = MessageBoxButtons::CancelResult(*box->buttons)) {
                    EndDialog(dialog, result);
                }
                return TRUE;
            }
            if (std::any_of(box->buttons->begin(), box->buttons->end(),
                            [&](const MessageBoxButton& button) { return button.id == id; })) {
                EndDialog(dialog, id);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

int MessageBoxWindow::Run(const MessageBoxCall& call,
                          const std::vector<MessageBoxButton>& buttons) {
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    if (call.type & (MB_TOPMOST | MB_SYSTEMMODAL)) {
        dialog.exStyle |= WS_EX_TOPMOST;
    }
    dialog.caption = call.caption;
    dialog.hasFont = true;
    dialog.pointSize = 9;
    dialog.faceName = "宋体";
    Box box{&call, &buttons, {}};
    const INT_PTR result = DialogBoxFromTemplate(nullptr, dialog, {}, call.owner, BoxProcedure,
                                                 reinterpret_cast<LPARAM>(&box));
    return result < 0 ? 0 : static_cast<int>(result);
}

}  // namespace platform
