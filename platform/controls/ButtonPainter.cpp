#include "platform/controls/ButtonPainter.h"

#include <algorithm>

#include "platform/controls/Button.h"
#include "platform/drawing/IconApi.h"
#include "platform/screen/ScreenApi.h"

namespace platform {

namespace {

constexpr int kBoxSize = 13;
constexpr int kTextGap = 4;
constexpr int kGroupIndent = 8;

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF previous = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

// One-pixel lines: top and left in one colour, bottom and right in the other.
void Edge(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    Fill(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

RECT Deflate(RECT r, int by) {
    return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void DottedFrame(HDC dc, const RECT& r, COLORREF color) {
    for (int x = r.left; x < r.right; x += 2) {
        SetPixelV(dc, x, r.top, color);
        SetPixelV(dc, x, r.bottom - 1, color);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        SetPixelV(dc, r.left, y, color);
        SetPixelV(dc, r.right - 1, y, color);
    }
}

UINT Type(DWORD style) {
    return style & BS_TYPEMASK;
}

bool IsCheckOrRadio(DWORD style) {
    switch (Type(style)) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}

bool IsRadio(DWORD style) {
    return Type(style) == BS_RADIOBUTTON || Type(style) == BS_AUTORADIOBUTTON;
}

UINT TextFormat(DWORD style, bool centredByDefault) {
    UINT format = 0;
    switch (style & BS_CENTER) {
        case BS_LEFT:
            format |= DT_LEFT;
            break;
        case BS_RIGHT:
            format |= DT_RIGHT;
            break;
        case BS_CENTER:
            format |= DT_CENTER;
            break;
        default:
            format |= centredByDefault ? DT_CENTER : DT_LEFT;
            break;
    }
    switch (style & BS_VCENTER) {
        case BS_TOP:
            format |= DT_TOP;
            break;
        case BS_BOTTOM:
            format |= DT_BOTTOM;
            break;
        default:
            format |= DT_VCENTER;
            break;
    }
    return format;
}

// Draws the caption (with its '&' underline) or the image into `area`.
void Content(HDC dc, const ButtonLook& look, RECT area, UINT format) {
    if ((look.style & BS_BITMAP) && look.bitmap != nullptr) {
        BITMAP info{};
        GetObjectA(look.bitmap, sizeof(info), &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, look.bitmap);
        BitBlt(dc, (area.left + area.right - info.bmWidth) / 2,
               (area.top + area.bottom - info.bmHeight) / 2, info.bmWidth, info.bmHeight, source, 0,
               0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    if ((look.style & BS_ICON) && look.icon != nullptr) {
        ICONINFO info{};
        BITMAP size{0, kDefaultIconSize, kDefaultIconSize, 0, 0, 0, nullptr};
        if (GetIconInfo(look.icon, &info)) {
            if (info.hbmColor != nullptr) {
                GetObjectA(info.hbmColor, sizeof(size), &size);
            } else {
                // A mask-only icon stacks its AND and XOR halves.
                GetObjectA(info.hbmMask, sizeof(size), &size);
                size.bmHeight /= 2;
            }
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        DrawIconEx(dc, (area.left + area.right - size.bmWidth) / 2,
                   (area.top + area.bottom - size.bmHeight) / 2, look.icon, 0, 0, 0, nullptr,
                   DI_NORMAL);
        return;
    }
    if (!look.enabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    const int length = static_cast<int>(look.text.size());
    if (look.style & BS_MULTILINE) {
        // DrawText centres only single lines, so the block is placed by hand.
        RECT measure = area;
        DrawTextA(dc, look.text.c_str(), length, &measure, DT_WORDBREAK | DT_CALCRECT);
        const int height = measure.bottom - measure.top;
        if (format & DT_VCENTER) {
            area.top += std::max(0, static_cast<int>(area.bottom - area.top) - height) / 2;
        } else if (format & DT_BOTTOM) {
            area.top = std::max(area.top, area.bottom - height);
        }
        DrawTextA(dc, look.text.c_str(), length, &area,
                  (format & (DT_CENTER | DT_RIGHT)) | DT_WORDBREAK);
    } else {
        DrawTextA(dc, look.text.c_str(), length, &area, format | DT_SINGLELINE);
    }
}

HBRUSH AskColours(HWND hwnd, HDC dc, UINT message) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, OPAQUE);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(hwnd), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    return brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void PushButton(HWND hwnd, HDC dc, const ButtonLook& look, RECT rect) {
    AskColours(hwnd, dc, WM_CTLCOLORBTN);
    // A push button keeps its own face whatever the parent answers.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkMode(dc, TRANSPARENT);
    const bool sunken =
        (look.state & BST_PUSHED) || (IsCheckOrRadio(look.style) && (look.state & BST_CHECKED));
    Fill(dc, rect, GetSysColor(COLOR_BTNFACE));
    if (look.isDefault || Type(look.style) == BS_DEFPUSHBUTTON) {
        Edge(dc, rect, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        rect = Deflate(rect, 1);
    }
    if (look.style & BS_FLAT) {
        Edge(dc, rect, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    } else if (sunken) {
        Edge(dc, rect, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
        Edge(dc, Deflate(rect, 1), GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DLIGHT));
    } else {
        Edge(dc, rect, GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        Edge(dc, Deflate(rect, 1), GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DSHADOW));
    }
    RECT content = Deflate(rect, 3);
    if (sunken) {
        content = RECT{content.left + 1, content.top + 1, content.right + 1, content.bottom + 1};
    }
    Content(dc, look, content, TextFormat(look.style, true));
    if (look.state & BST_FOCUS) {
        DottedFrame(dc, Deflate(rect, 3), GetSysColor(COLOR_BTNTEXT));
    }
}

void CheckMark(HDC dc, const RECT& box, COLORREF color) {
    static constexpr int kColumnTops[] = {4, 5, 6, 5, 4, 3, 2};
    for (int column = 0; column < 7; ++column) {
        const int x = box.left + 3 + column;
        const int y = box.top + kColumnTops[column];
        Fill(dc, RECT{x, y, x + 1, y + 3}, color);
    }
}

void Box(HDC dc, const ButtonLook& look, const RECT& box) {
    const UINT check = look.state & (BST_CHECKED | BST_INDETERMINATE);
    const bool greyFace = (look.state & BST_PUSHED) || !look.enabled;
    if (IsRadio(look.style)) {
        HBRUSH face = GetSysColorBrush(greyFace ? COLOR_BTNFACE : COLOR_WINDOW);
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, face);
        Ellipse(dc, box.left, box.top, box.right - 1, box.bottom - 1);
        if (check != 0) {
            const COLORREF dot = GetSysColor(look.enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
            const int cx = (box.left + box.right - 1) / 2;
            const int cy = (box.top + box.bottom - 1) / 2;
            Fill(dc, RECT{cx - 2, cy - 1, cx + 2, cy + 3}, dot);
            Fill(dc, RECT{cx - 1, cy - 2, cx + 1, cy + 4}, dot);
        }
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        return;
    }
    Edge(dc, box, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    const RECT inner = Deflate(box, 1);
    Edge(dc, inner, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    const RECT face = Deflate(box, 2);
    Fill(dc, face,
         GetSysColor(greyFace || check == BST_INDETERMINATE ? COLOR_BTNFACE : COLOR_WINDOW));
    if (check != 0) {
        const bool grey = !look.enabled || check == BST_INDETERMINATE;
        CheckMark(dc, box, GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    }
}

void CheckOrRadio(HWND hwnd, HDC dc, const ButtonLook& look, const RECT& rect) {
    FillRect(dc, &rect, AskColours(hwnd, dc, WM_CTLCOLORSTATIC));
    const bool boxRight = (look.style & BS_LEFTTEXT) != 0;
    int top = (rect.top + rect.bottom - kBoxSize) / 2;
    if ((look.style & BS_VCENTER) == BS_TOP) {
        top = rect.top;
    } else if ((look.style & BS_VCENTER) == BS_BOTTOM) {
        top = rect.bottom - kBoxSize;
    }
    const int left = boxRight ? rect.right - kBoxSize : rect.left;
    Box(dc, look, RECT{left, top, left + kBoxSize, top + kBoxSize});
    RECT text = rect;
    if (boxRight) {
        text.right -= kBoxSize + kTextGap;
    } else {
        text.left += kBoxSize + kTextGap;
    }
    Content(dc, look, text, TextFormat(look.style, false));
    if ((look.state & BST_FOCUS) && !look.text.empty()) {
        RECT measure = text;
        DrawTextA(dc, look.text.c_str(), static_cast<int>(look.text.size()), &measure,
                  DT_SINGLELINE | DT_CALCRECT);
        const int height = measure.bottom - measure.top;
        const int y = (text.top + text.bottom - height) / 2;
        DottedFrame(dc, RECT{text.left - 1, y - 1, measure.right + 1, y + height + 1},
                    GetSysColor(COLOR_BTNTEXT));
    }
}

void GroupBox(HWND hwnd, HDC dc, const ButtonLook& look, const RECT& rect) {
    HBRUSH brush = AskColours(hwnd, dc, WM_CTLCOLORSTATIC);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineY = rect.top + metrics.tmHeight / 2;
    const RECT frame{rect.left, lineY, rect.right, rect.bottom};
    // Etched: a highlight frame one pixel below and right of a shadow frame.
    Edge(dc, RECT{frame.left + 1, frame.top + 1, frame.right, frame.bottom},
         GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DHIGHLIGHT));
    Edge(dc, RECT{frame.left, frame.top, frame.right - 1, frame.bottom - 1},
         GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW));
    if (look.text.empty()) {
        return;
    }
    RECT measure = rect;
    DrawTextA(dc, look.text.c_str(), static_cast<int>(look.text.size()), &measure,
              DT_SINGLELINE | DT_CALCRECT);
    const int width = measure.right - measure.left;
    int left = rect.left + kGroupIndent;
    if ((look.style & BS_CENTER) == BS_CENTER) {
        left = (rect.left + rect.right - width) / 2;
    } else if ((look.style & BS_CENTER) == BS_RIGHT) {
        left = rect.right - kGroupIndent - width;
    }
    RECT label{left - 2, rect.top, left + width + 2, rect.top + metrics.tmHeight};
    FillRect(dc, &label, brush);
    label.left += 2;
    label.right -= 2;
    Content(dc, look, label, DT_LEFT | DT_TOP);
}

}  // namespace

void PaintButton(HWND hwnd, HDC dc, const ButtonLook& look) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    HGDIOBJ oldFont =
        SelectObject(dc, look.font != nullptr ? look.font : GetStockObject(DEFAULT_GUI_FONT));
    if (Type(look.style) == BS_GROUPBOX) {
        GroupBox(hwnd, dc, look, rect);
    } else if (IsCheckOrRadio(look.style) && !(look.style & BS_PUSHLIKE)) {
        CheckOrRadio(hwnd, dc, look, rect);
    } else {
        PushButton(hwnd, dc, look, rect);
    }
    SelectObject(dc, oldFont);
}

}  // namespace platform
