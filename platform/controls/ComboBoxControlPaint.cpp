// Painting of the combo box: the sunken field, its text or the owner's drawing, and the button.
#include <algorithm>

#include "platform/controls/ComboBox.h"
#include "platform/controls/ComboBoxControl.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ScrollBarPainter.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kTextMargin = 2;

void Line(HDC dc, int left, int top, int right, int bottom, int colorIndex) {
    const RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

}  // namespace

void ComboBoxControl::DrawField(HDC dc, const RECT& field) {
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const int selection = Selection();
    const bool highlighted = focused_ && !dropped_;
    if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        UINT state = ODS_COMBOBOXEDIT;
        if (highlighted) {
            state |= ODS_SELECTED | ODS_FOCUS;
        }
        if (!IsWindowEnabled(hwnd_)) {
            state |= ODS_DISABLED;
        }
        const LRESULT data =
            selection >= 0 ? List(LB_GETITEMDATA, static_cast<WPARAM>(selection)) : 0;
        DRAWITEMSTRUCT draw{
            ODT_COMBOBOX, id_,   static_cast<UINT>(selection), ODA_DRAWENTIRE, state, hwnd_,
            dc,           field, static_cast<ULONG_PTR>(data)};
        SendMessageA(parent_, WM_DRAWITEM, id_, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent_, WM_CTLCOLORLISTBOX,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd_)));
    FillRect(dc, &field, brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW));
    const std::string text = Text();
    RECT textRect{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    if (highlighted) {
        FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!IsWindowEnabled(hwnd_)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    textRect.left += kTextMargin;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, font_);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

void ComboBoxControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const int bottom = std::min<LONG>(client.bottom, FieldHeight());
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const int right = client.right;
        // A sunken edge round the field: shadow and dark shadow outside, highlight and light in.
        Line(dc, 0, 0, right, 1, COLOR_BTNSHADOW);
        Line(dc, 0, 0, 1, bottom, COLOR_BTNSHADOW);
        Line(dc, 1, 1, right - 1, 2, COLOR_3DDKSHADOW);
        Line(dc, 1, 1, 2, bottom - 1, COLOR_3DDKSHADOW);
        Line(dc, 0, bottom - 1, right, bottom, COLOR_BTNHIGHLIGHT);
        Line(dc, right - 1, 0, right, bottom, COLOR_BTNHIGHLIGHT);
        Line(dc, 1, bottom - 2, right - 1, bottom - 1, COLOR_3DLIGHT);
        Line(dc, right - 2, 1, right - 1, bottom - 1, COLOR_3DLIGHT);
        const RECT button = ButtonRect();
        const RECT field{kEdge, kEdge, DropsDown() ? button.left : right - kEdge, bottom - kEdge};
        if (HasEdit()) {
            FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
        } else {
            DrawField(dc, field);
        }
        if (DropsDown()) {
            DrawArrowButton(dc, button, ArrowDirection::Down, IsWindowEnabled(hwnd_) != FALSE);
        }
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace platform
