#include "platform/controls/ControlSupport.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/ToolTip.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

// One notch of the wheel, as WM_MOUSEWHEEL reports it, and the lines it scrolls.
constexpr int kWheelNotch = 120;
constexpr int kWheelNotchLines = 3;

}  // namespace

LRESULT SendNotifyTo(HWND target, HWND from, UINT_PTR id, NMHDR& header, UINT code) {
    header.hwndFrom = from;
    header.idFrom = id;
    header.code = code;
    if (target == nullptr) {
        return 0;
    }
    return SendMessageA(target, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

LRESULT SendNotify(HWND control, NMHDR& header, UINT code) {
    return SendNotifyTo(GetParent(control), control, static_cast<UINT_PTR>(GetDlgCtrlID(control)),
                        header, code);
}

LRESULT ForwardNotify(HWND target, const NMHDR* header) {
    if (target == nullptr || header == nullptr) {
        return 0;
    }
    return SendMessageA(target, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void SendCommandTo(HWND target, UINT id, HWND control, WORD code) {
    if (target == nullptr) {
        return;
    }
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

void SendCommandNotify(HWND control, WORD code) {
    SendCommandTo(GetParent(control), static_cast<UINT>(GetDlgCtrlID(control)), control, code);
}

void NotifyFocus(HWND control, bool focused) {
    NMHDR notice{};
    SendNotify(control, notice, focused ? NM_SETFOCUS : NM_KILLFOCUS);
}

HWND CreateOwnToolTip(HWND control) {
    RegisterToolTipClass();
    return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                           0, 0, control, nullptr, nullptr, nullptr);
}

void RelayToToolTip(HWND tooltip, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip != nullptr) {
        MSG relayed{control, message, wParam, lParam, 0, {}};
        SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
}

void DrawEdgeLines(HDC dc, const RECT& rect, bool sunken, bool withBottom) {
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH topLeft = sunken ? shadow : light;
    HBRUSH bottomRight = sunken ? light : shadow;
    RECT line{rect.left, rect.top, rect.right, rect.top + 1};
    FillRect(dc, &line, topLeft);
    line = RECT{rect.left, rect.top, rect.left + 1, rect.bottom};
    FillRect(dc, &line, topLeft);
    line = RECT{rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &line, bottomRight);
    if (withBottom) {
        line = RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom};
        FillRect(dc, &line, bottomRight);
    }
}

HFONT FontOrDefault(HFONT font) {
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(HDC dc) {
    TEXTMETRICA metrics{};
    return GetTextMetricsA(dc, &metrics) != FALSE ? static_cast<int>(metrics.tmHeight) : 0;
}

int LineHeight(HFONT font) {
    const int height = LineHeight(MeasuringDc(font).get());
    return height > 0 ? height : 13;
}

int TextWidth(HDC dc, std::string_view text) {
    SIZE size{};
    if (!text.empty()) {
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    }
    return size.cx;
}

int TextWidth(HFONT font, std::string_view text) {
    return TextWidth(MeasuringDc(font).get(), text);
}

int WheelLines(WPARAM wParam) {
    return static_cast<short>(HIWORD(wParam)) * kWheelNotchLines / kWheelNotch;
}

int CopyTextOut(std::string_view text, char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    const size_t length = CutAtCharBoundary(text, static_cast<size_t>(capacity - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

std::string TextIn(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    ScopedBrush brush(color);
    FillRect(dc, &rect, brush.get());
}

}  // namespace platform
