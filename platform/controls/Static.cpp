#include "platform/controls/Static.h"

#include <string>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ControlWindow.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

struct StaticControl {
    explicit StaticControl(HWND window) : hwnd(window) {}
    ~StaticControl() {
        if (ownBitmap != nullptr) {
            DeleteObject(ownBitmap);
        }
    }
    StaticControl(const StaticControl&) = delete;
    StaticControl& operator=(const StaticControl&) = delete;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd;
    HFONT font = nullptr;
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
    // A bitmap loaded from the resources at creation belongs to the control.
    HBITMAP ownBitmap = nullptr;
};

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

UINT TypeOf(HWND hwnd) {
    return StyleOf(hwnd) & SS_TYPEMASK;
}

void Fill(HDC dc, const RECT& rect, int colorIndex) {
    FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

void Frame(HDC dc, const RECT& r, int topLeft, int bottomRight) {
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

SIZE PictureSize(const StaticControl& state, UINT type) {
    if (type == SS_BITMAP && state.bitmap != nullptr) {
        BITMAP info{};
        GetObjectA(state.bitmap, sizeof(info), &info);
        return SIZE{info.bmWidth, info.bmHeight};
    }
    if (type == SS_ICON && state.icon != nullptr) {
        ICONINFO info{};
        SIZE size{kDefaultIconSize, kDefaultIconSize};
        if (GetIconInfo(state.icon, &info)) {
            BITMAP bitmap{};
            if (info.hbmColor != nullptr) {
                GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
                size = SIZE{bitmap.bmWidth, bitmap.bmHeight};
            } else if (GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap)) {
                size = SIZE{bitmap.bmWidth, bitmap.bmHeight / 2};
            }
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        return size;
    }
    return SIZE{0, 0};
}

// A picture static fits itself to its picture unless told to keep its size.
void FitToPicture(HWND hwnd, const StaticControl& state) {
    const DWORD style = StyleOf(hwnd);
    const UINT type = style & SS_TYPEMASK;
    if ((style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) != 0) {
        return;
    }
    const SIZE size = PictureSize(state, type);
    if (size.cx > 0 && size.cy > 0) {
        SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The resource a picture static's creation text names; null when it names none.
LPCSTR PictureName(LPCSTR text, std::string& holder) {
    if (text == nullptr) {
        return nullptr;
    }
    if (IS_INTRESOURCE(text)) {
        return text;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (bytes[0] == 0xFF && bytes[1] != 0) {
        return MAKEINTRESOURCEA(bytes[1] | (bytes[2] << 8));
    }
    if (bytes[0] == 0) {
        return nullptr;
    }
    holder = text;
    return holder.c_str();
}

LRESULT SetIcon(HWND hwnd, StaticControl& state, HICON icon) {
    HICON previous = state.icon;
    state.icon = icon;
    if (TypeOf(hwnd) == SS_ICON) {
        FitToPicture(hwnd, state);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT SetBitmap(HWND hwnd, StaticControl& state, HBITMAP bitmap) {
    HBITMAP previous = state.bitmap;
    state.bitmap = bitmap;
    if (TypeOf(hwnd) == SS_BITMAP) {
        FitToPicture(hwnd, state);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT NonClientCreate(HWND hwnd, StaticControl& state, WPARAM wParam, LPARAM lParam) {
    CREATESTRUCTA create = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const UINT type = static_cast<DWORD>(create.style) & SS_TYPEMASK;
    if (type == SS_ICON || type == SS_BITMAP) {
        std::string holder;
        if (LPCSTR name = PictureName(create.lpszName, holder)) {
            if (type == SS_ICON) {
                state.icon = LoadIconA(create.hInstance, name);
            } else {
                state.ownBitmap = LoadBitmapA(create.hInstance, name);
                state.bitmap = state.ownBitmap;
            }
        }
        // A picture's name is no text to keep.
        create.lpszName = "";
    }
    return DefWindowProcA(hwnd, WM_NCCREATE, wParam, reinterpret_cast<LPARAM>(&create));
}

UINT TextFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            format = DT_SINGLELINE | DT_NOCLIP;
            break;
        case SS_LEFTNOWORDWRAP:
            break;
        default:
            format |= DT_WORDBREAK;
            break;
    }
    if (style & SS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    if (style & SS_CENTERIMAGE) {
        format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
    }
    switch (style & SS_ELLIPSISMASK) {
        case SS_ENDELLIPSIS:
            format |= DT_END_ELLIPSIS;
            break;
        case SS_PATHELLIPSIS:
            format |= DT_PATH_ELLIPSIS;
            break;
        case SS_WORDELLIPSIS:
            format |= DT_WORD_ELLIPSIS;
            break;
        default:
            break;
    }
    return format;
}

void DrawPicture(HWND hwnd, HDC dc, const StaticControl& state, const RECT& client) {
    const DWORD style = StyleOf(hwnd);
    const UINT type = style & SS_TYPEMASK;
    const SIZE size = PictureSize(state, type);
    int x = 0;
    int y = 0;
    if (style & SS_CENTERIMAGE) {
        x = (client.right - size.cx) / 2;
        y = (client.bottom - size.cy) / 2;
    }
    if (type == SS_ICON && state.icon != nullptr) {
        DrawIconEx(dc, x, y, state.icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    } else if (type == SS_BITMAP && state.bitmap != nullptr) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, state.bitmap);
        BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
}

void DrawCaption(HWND hwnd, HDC dc, const StaticControl& state, RECT area) {
    char text[4096] = {};
    const auto length = static_cast<int>(
        DefWindowProcA(hwnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)));
    if (!IsWindowEnabled(hwnd)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    HGDIOBJ oldFont =
        SelectObject(dc, state.font != nullptr ? state.font : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, text, length, &area, TextFormat(StyleOf(hwnd)));
    SelectObject(dc, oldFont);
}

void DrawOwner(HWND hwnd, HDC dc, const RECT& client) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = IsWindowEnabled(hwnd) ? 0u : static_cast<UINT>(ODS_DISABLED);
    item.hwndItem = hwnd;
    item.hDC = dc;
    item.rcItem = client;
    SendMessageA(GetParent(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

// The shapes that need no colours from the parent; false for the other types.
bool DrawShape(HDC dc, UINT type, const RECT& client) {
    switch (type) {
        case SS_BLACKRECT:
            Fill(dc, client, COLOR_3DDKSHADOW);
            return true;
        case SS_GRAYRECT:
            Fill(dc, client, COLOR_3DSHADOW);
            return true;
        case SS_WHITERECT:
            Fill(dc, client, COLOR_3DHIGHLIGHT);
            return true;
        case SS_BLACKFRAME:
            Frame(dc, client, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW);
            return true;
        case SS_GRAYFRAME:
            Frame(dc, client, COLOR_3DSHADOW, COLOR_3DSHADOW);
            return true;
        case SS_WHITEFRAME:
            Frame(dc, client, COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT);
            return true;
        case SS_ETCHEDHORZ:
            Fill(dc, RECT{client.left, client.top, client.right, client.top + 1}, COLOR_3DSHADOW);
            Fill(dc, RECT{client.left, client.top + 1, client.right, client.top + 2},
                 COLOR_3DHIGHLIGHT);
            return true;
        case SS_ETCHEDVERT:
            Fill(dc, RECT{client.left, client.top, client.left + 1, client.bottom}, COLOR_3DSHADOW);
            Fill(dc, RECT{client.left + 1, client.top, client.left + 2, client.bottom},
                 COLOR_3DHIGHLIGHT);
            return true;
        case SS_ETCHEDFRAME:
            Frame(dc, RECT{client.left + 1, client.top + 1, client.right, client.bottom},
                  COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT);
            Frame(dc, RECT{client.left, client.top, client.right - 1, client.bottom - 1},
                  COLOR_3DSHADOW, COLOR_3DSHADOW);
            return true;
        default:
            return false;
    }
}

void Paint(HWND hwnd, const StaticControl& state) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr) {
        EndPaint(hwnd, &paint);
        return;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = StyleOf(hwnd);
    const UINT type = style & SS_TYPEMASK;
    if (type == SS_OWNERDRAW) {
        DrawOwner(hwnd, dc, client);
    } else if (!DrawShape(dc, type, client)) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_3DFACE));
        SetBkMode(dc, OPAQUE);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(hwnd)));
        if (brush == nullptr) {
            brush = GetSysColorBrush(COLOR_3DFACE);
        }
        // A simple static paints only behind its text, with the DC's background colour.
        if (type != SS_SIMPLE) {
            FillRect(dc, &client, brush);
        }
        if (type == SS_ICON || type == SS_BITMAP) {
            DrawPicture(hwnd, dc, state, client);
        } else {
            RECT area = client;
            if (style & SS_SUNKEN) {
                area = RECT{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
            }
            DrawCaption(hwnd, dc, state, area);
        }
    }
    if (style & SS_SUNKEN) {
        Frame(dc, client, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
    }
    EndPaint(hwnd, &paint);
}

LRESULT SetImage(HWND hwnd, StaticControl& state, WPARAM type, LPARAM image) {
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        return SetIcon(hwnd, state, reinterpret_cast<HICON>(image));
    }
    if (type == IMAGE_BITMAP) {
        return SetBitmap(hwnd, state, reinterpret_cast<HBITMAP>(image));
    }
    return 0;
}

LRESULT GetImage(const StaticControl& state, WPARAM type) {
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        return reinterpret_cast<LRESULT>(state.icon);
    }
    if (type == IMAGE_BITMAP) {
        return reinterpret_cast<LRESULT>(state.bitmap);
    }
    return 0;
}

LRESULT Dispatch(HWND hwnd, StaticControl& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return NonClientCreate(hwnd, state, wParam, lParam);
        case WM_CREATE:
            FitToPicture(hwnd, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(hwnd, state);
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_SETFONT:
            state.font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.font);
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            if (StyleOf(hwnd) & SS_NOTIFY) {
                SendCommandNotify(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
            }
            return 0;
        case WM_NCHITTEST:
            if (!(StyleOf(hwnd) & SS_NOTIFY)) {
                return HTTRANSPARENT;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);
        case WM_LBUTTONDOWN:
            if (StyleOf(hwnd) & SS_NOTIFY) {
                SendCommandNotify(hwnd, STN_CLICKED);
            }
            return 0;
        case WM_LBUTTONDBLCLK:
            if (StyleOf(hwnd) & SS_NOTIFY) {
                SendCommandNotify(hwnd, STN_DBLCLK);
            }
            return 0;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case STM_SETICON:
            return SetIcon(hwnd, state, reinterpret_cast<HICON>(wParam));
        case STM_GETICON:
            return reinterpret_cast<LRESULT>(state.icon);
        case STM_SETIMAGE:
            return SetImage(hwnd, state, wParam, lParam);
        case STM_GETIMAGE:
            return GetImage(state, wParam);
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT StaticControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(hwnd, *this, message, wParam, lParam);
}

}  // namespace

void RegisterStaticClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass("Static", ControlProcedure<StaticControl>, CS_DBLCLKS);
}

}  // namespace platform
