#include "platform/controls/StatusBar.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/ControlWindow.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/IconApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

constexpr int kBorderX = 0;
constexpr int kBorderY = 2;
constexpr int kBetween = 2;
constexpr int kTextInset = 3;
constexpr int kGripSize = 14;
constexpr int kMaxParts = 256;

struct Part {
    std::string text;
    UINT type = 0;
    LPARAM value = 0;  // what an owner-drawn part carries instead of a text
    HICON icon = nullptr;
    std::string tip;
};

class StatusBar {
public:
    explicit StatusBar(HWND hwnd) : hwnd_(hwnd), parts_(1), edges_{-1} {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    int Count() const { return static_cast<int>(parts_.size()); }
    HFONT Font() const {
        return font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    Part* PartAt(int index) {
        if (index == SB_SIMPLEID) {
            return &simplePart_;
        }
        return index >= 0 && index < Count() ? &parts_[static_cast<size_t>(index)] : nullptr;
    }
    int Height() const;
    void Reposition();
    bool PartRect(int index, RECT* rect) const;
    LRESULT SetText(WPARAM wParam, LPARAM lParam);
    LRESULT TextResult(const Part& part) const;
    LRESULT SetParts(int count, const int* edges);
    void Invalidate(int index);
    void Paint();
    void PaintPart(HDC dc, const Part& part, RECT rect, int index);

    HWND hwnd_;
    std::vector<Part> parts_;
    std::vector<int> edges_;
    Part simplePart_;
    bool simple_ = false;
    int minHeight_ = 0;
    COLORREF background_ = CLR_DEFAULT;
    HFONT font_ = nullptr;
};

int StatusBar::Height() const {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Font());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    return std::max<int>(metrics.tmHeight + 3, minHeight_) + 2 * kBorderY;
}

// The bar lies along the bottom of its parent (the top with CCS_TOP) across its whole width.
void StatusBar::Reposition() {
    const DWORD style = Style();
    if ((style & (CCS_NORESIZE | CCS_NOPARENTALIGN)) != 0) {
        return;
    }
    HWND parent = GetParent(hwnd_);
    RECT area{};
    if (parent == nullptr || !GetClientRect(parent, &area)) {
        return;
    }
    const int height = Height();
    const int y = (style & CCS_BOTTOM) == CCS_TOP ? 0 : area.bottom - height;
    RECT now{};
    GetWindowRect(hwnd_, &now);
    POINT origin{now.left, now.top};
    ScreenToClient(parent, &origin);
    if (origin.x != 0 || origin.y != y || now.right - now.left != area.right ||
        now.bottom - now.top != height) {
        SetWindowPos(hwnd_, nullptr, 0, y, area.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool StatusBar::PartRect(int index, RECT* rect) const {
    if (rect == nullptr || index < 0 || index >= Count()) {
        return false;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    auto right = [&](int i) {
        const int edge = edges_[static_cast<size_t>(i)];
        return edge < 0 ? static_cast<int>(client.right) : std::min<int>(edge, client.right);
    };
    const int left = index == 0 ? kBorderX : right(index - 1) + kBetween;
    *rect = RECT{left, kBorderY, std::max(left, right(index)), client.bottom};
    return true;
}

void StatusBar::Invalidate(int index) {
    RECT rect{};
    if (!simple_ && PartRect(index, &rect)) {
        InvalidateRect(hwnd_, &rect, TRUE);
    } else {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

LRESULT StatusBar::SetText(WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam & 0xFF);
    Part* part = PartAt(index);
    if (part == nullptr) {
        return FALSE;
    }
    part->type = static_cast<UINT>(wParam & 0xFF00);
    if ((part->type & SBT_OWNERDRAW) != 0) {
        part->text.clear();
        part->value = lParam;
    } else {
        part->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        part->value = 0;
    }
    Invalidate(index);
    return TRUE;
}

// What SB_GETTEXT and SB_GETTEXTLENGTH answer: the length and the drawing type, or an owner-drawn
// part's value.
LRESULT StatusBar::TextResult(const Part& part) const {
    if ((part.type & SBT_OWNERDRAW) != 0) {
        return part.value;
    }
    return MAKELONG(static_cast<WORD>(part.text.size()), static_cast<WORD>(part.type));
}

LRESULT StatusBar::SetParts(int count, const int* edges) {
    if (count <= 0 || count > kMaxParts || edges == nullptr) {
        return FALSE;
    }
    edges_.assign(edges, edges + count);
    parts_.resize(static_cast<size_t>(count));
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

void StatusBar::PaintPart(HDC dc, const Part& part, RECT rect, int index) {
    if ((part.type & SBT_NOBORDERS) == 0) {
        const bool raised = (part.type & SBT_POPOUT) != 0;
        HBRUSH topLeft = GetSysColorBrush(raised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        HBRUSH bottomRight = GetSysColorBrush(raised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
        RECT line{rect.left, rect.top, rect.right, rect.top + 1};
        FillRect(dc, &line, topLeft);
        line = RECT{rect.left, rect.top, rect.left + 1, rect.bottom};
        FillRect(dc, &line, topLeft);
        line = RECT{rect.right - 1, rect.top, rect.right, rect.bottom};
        FillRect(dc, &line, bottomRight);
        line = RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom};
        FillRect(dc, &line, bottomRight);
    }
    if ((part.type & SBT_OWNERDRAW) != 0) {
        DRAWITEMSTRUCT draw{};
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = hwnd_;
        draw.hDC = dc;
        draw.rcItem = rect;
        draw.itemData = static_cast<ULONG_PTR>(part.value);
        SendMessageA(GetParent(hwnd_), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    RECT text{rect.left + kTextInset, rect.top + 1, rect.right - kTextInset, rect.bottom - 1};
    if (part.icon != nullptr) {
        ICONINFO info{};
        int size = rect.bottom - rect.top - 2;
        if (GetIconInfo(part.icon, &info)) {
            BITMAP bitmap{};
            if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap)) {
                size = bitmap.bmWidth;
            }
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        DrawIconEx(dc, text.left, rect.top + (rect.bottom - rect.top - size) / 2, part.icon, 0, 0,
                   0, nullptr, DI_NORMAL);
        text.left += size + kTextInset;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    // Tabs split the text into a left, a centred and a right-aligned piece.
    std::vector<std::string> pieces{part.text};
    if ((part.type & SBT_NOTABPARSING) == 0) {
        pieces.clear();
        size_t start = 0;
        while (pieces.size() < 2) {
            const size_t tab = FindChar(part.text, '\t', start);
            if (tab == std::string::npos) {
                break;
            }
            pieces.push_back(part.text.substr(start, tab - start));
            start = tab + 1;
        }
        pieces.push_back(part.text.substr(start));
    }
    const UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (size_t i = 0; i < pieces.size(); ++i) {
        DrawTextA(dc, pieces[i].c_str(), static_cast<int>(pieces[i].size()), &text,
                  alignments[i] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void StatusBar::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        if (background_ == CLR_DEFAULT) {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        } else {
            HBRUSH brush = CreateSolidBrush(background_);
            FillRect(dc, &client, brush);
            DeleteObject(brush);
        }
        HGDIOBJ oldFont = SelectObject(dc, Font());
        if (simple_) {
            PaintPart(dc, simplePart_,
                      RECT{kBorderX, kBorderY, client.right - kBorderX, client.bottom},
                      SB_SIMPLEID);
        } else {
            for (int i = 0; i < Count(); ++i) {
                RECT rect{};
                PartRect(i, &rect);
                PaintPart(dc, parts_[static_cast<size_t>(i)], rect, i);
            }
        }
        SelectObject(dc, oldFont);
        if ((Style() & SBARS_SIZEGRIP) != 0) {
            // Diagonal ridges in the corner, as on a resizable frame.
            HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
            HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
            HGDIOBJ oldPen = SelectObject(dc, shadow);
            for (int offset = 3; offset < kGripSize; offset += 4) {
                SelectObject(dc, shadow);
                MoveToEx(dc, client.right - offset, client.bottom, nullptr);
                LineTo(dc, client.right, client.bottom - offset);
                SelectObject(dc, light);
                MoveToEx(dc, client.right - offset - 1, client.bottom, nullptr);
                LineTo(dc, client.right, client.bottom - offset - 1);
            }
            SelectObject(dc, oldPen);
            DeleteObject(shadow);
            DeleteObject(light);
        }
    }
    EndPaint(hwnd_, &paint);
}

LRESULT StatusBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
                create != nullptr && create->lpszName != nullptr) {
                parts_[0].text = create->lpszName;
            }
            Reposition();
            return 0;
        case WM_SIZE:
            Reposition();
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                Reposition();
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETTEXT:
            return SetText(0, lParam);
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<char*>(lParam);
            if (buffer == nullptr || wParam == 0) {
                return 0;
            }
            const std::string& text = parts_[0].text;
            const size_t length = CutAtCharBoundary(text, wParam - 1);
            std::copy_n(text.data(), length, buffer);
            buffer[length] = '\0';
            return static_cast<LRESULT>(length);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(parts_[0].text.size());
        case WM_NCHITTEST: {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd_, &point);
            RECT client{};
            GetClientRect(hwnd_, &client);
            const bool resizable =
                (GetWindowLongA(GetAncestor(hwnd_, GA_ROOT), GWL_STYLE) & WS_THICKFRAME) != 0;
            if ((Style() & SBARS_SIZEGRIP) != 0 && resizable &&
                point.x >= client.right - kGripSize && point.y >= client.bottom - kGripSize) {
                return HTBOTTOMRIGHT;
            }
            return DefWindowProcA(hwnd_, message, wParam, lParam);
        }
        case SB_SETTEXTA:
            return SetText(wParam, lParam);
        case SB_GETTEXTA: {
            const Part* part = PartAt(static_cast<int>(wParam & 0xFF));
            if (part == nullptr) {
                return 0;
            }
            if ((part->type & SBT_OWNERDRAW) == 0 && lParam != 0) {
                std::memcpy(reinterpret_cast<char*>(lParam), part->text.c_str(),
                            part->text.size() + 1);
            }
            return TextResult(*part);
        }
        case SB_GETTEXTLENGTHA: {
            const Part* part = PartAt(static_cast<int>(wParam & 0xFF));
            if (part == nullptr) {
                return 0;
            }
            return MAKELONG(static_cast<WORD>(part->text.size()), static_cast<WORD>(part->type));
        }
        case SB_SETPARTS:
            return SetParts(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
        case SB_GETPARTS: {
            auto* edges = reinterpret_cast<int*>(lParam);
            if (edges != nullptr) {
                std::copy_n(edges_.begin(), std::min<size_t>(wParam, edges_.size()), edges);
            }
            return Count();
        }
        case SB_GETBORDERS: {
            auto* borders = reinterpret_cast<int*>(lParam);
            if (borders == nullptr) {
                return FALSE;
            }
            borders[0] = kBorderX;
            borders[1] = kBorderY;
            borders[2] = kBetween;
            return TRUE;
        }
        case SB_SETMINHEIGHT:
            // Takes effect when the bar is next sized, as its owner sends it WM_SIZE.
            minHeight_ = static_cast<int>(wParam);
            return 0;
        case SB_SIMPLE: {
            const bool simple = wParam != 0;
            if (simple != simple_) {
                simple_ = simple;
                InvalidateRect(hwnd_, nullptr, TRUE);
                NMHDR header{hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)),
                             SBN_SIMPLEMODECHANGE};
                SendMessageA(GetParent(hwnd_), WM_NOTIFY, header.idFrom,
                             reinterpret_cast<LPARAM>(&header));
            }
            return 0;
        }
        case SB_ISSIMPLE:
            return simple_;
        case SB_GETRECT:
            return PartRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
        case SB_SETICON: {
            Part* part = PartAt(static_cast<int>(wParam));
            if (part == nullptr) {
                return FALSE;
            }
            part->icon = reinterpret_cast<HICON>(lParam);
            Invalidate(static_cast<int>(wParam));
            return TRUE;
        }
        case SB_GETICON: {
            Part* part = PartAt(static_cast<int>(wParam));
            return part != nullptr ? reinterpret_cast<LRESULT>(part->icon) : 0;
        }
        case SB_SETTIPTEXTA: {
            Part* part = PartAt(static_cast<int>(wParam));
            if (part != nullptr) {
                part->tip = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            }
            return 0;
        }
        case SB_GETTIPTEXTA: {
            const Part* part = PartAt(LOWORD(wParam));
            auto* buffer = reinterpret_cast<char*>(lParam);
            const size_t size = HIWORD(wParam);
            if (part != nullptr && buffer != nullptr && size > 0) {
                const size_t length = CutAtCharBoundary(part->tip, size - 1);
                std::copy_n(part->tip.data(), length, buffer);
                buffer[length] = '\0';
            }
            return 0;
        }
        case SB_SETBKCOLOR: {
            const COLORREF previous = background_;
            background_ = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace

void RegisterStatusBarClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(STATUSCLASSNAMEA, ControlProcedure<StatusBar>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace platform
