#include "platform/controls/ViewSupport.h"

#include <algorithm>
#include <cstring>

#include "platform/text/Gbk.h"

namespace platform::views {

LRESULT SendNotify(HWND control, NMHDR& header, UINT code) {
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    header.code = code;
    HWND parent = GetParent(control);
    if (parent == nullptr) {
        return 0;
    }
    return SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void SendCommandNotify(HWND control, UINT code) {
    HWND parent = GetParent(control);
    if (parent == nullptr) {
        return;
    }
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

HFONT FontOrDefault(HFONT font) {
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontOrDefault(font));
    TEXTMETRICA metrics{};
    const bool measured = GetTextMetricsA(dc, &metrics) != FALSE;
    SelectObject(dc, old);
    DeleteDC(dc);
    return measured && metrics.tmHeight > 0 ? metrics.tmHeight : 12;
}

int TextWidth(HFONT font, std::string_view text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontOrDefault(font));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
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

}  // namespace platform::views
