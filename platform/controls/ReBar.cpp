#include "platform/controls/ReBar.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "platform/controls/ControlWindow.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

constexpr int kHeaderStart = 2;
constexpr int kGripperWidth = 8;
constexpr int kImageGap = 2;
constexpr int kTextGap = 4;
constexpr int kChildEdge = 2;
// Room for the etched line between bands and between rows (RBS_BANDBORDERS).
constexpr int kBorder = 2;

struct Band {
    UINT style = 0;
    COLORREF fore = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
    std::string text;
    int image = -1;
    HWND child = nullptr;
    UINT cxMinChild = 0;
    UINT cyMinChild = 0;
    UINT cx = 0;
    HBITMAP background = nullptr;
    UINT id = 0;
    UINT cyChild = 0;
    UINT cyMaxChild = 0;
    UINT cyIntegral = 0;
    UINT cxIdeal = 0;
    LPARAM param = 0;
    int headerSet = -1;  // RBBIM_HEADERSIZE; -1 lets the bar measure the header

    // Layout results.
    int header = 0;
    int minWidth = 0;
    int height = 0;
    bool gripper = false;
    RECT rect{};

    bool Visible() const { return (style & RBBS_HIDDEN) == 0; }
};

class ReBar {
public:
    explicit ReBar(HWND hwnd) : hwnd_(hwnd) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    int Count() const { return static_cast<int>(bands_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    HFONT Font() const {
        return font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    int Gap() const { return (Style() & RBS_BANDBORDERS) != 0 ? kBorder : 0; }

    bool Apply(Band& band, const REBARBANDINFOA& info);
    void Fill(const Band& band, REBARBANDINFOA* info) const;
    void Measure();
    std::vector<std::vector<int>> Rows() const;
    void Layout();
    void PlaceChildren();
    void ShowChild(const Band& band) const;
    void FitToParent();
    void Changed();
    LRESULT Notify(NMHDR& header) const;
    int RowOf(int index) const;
    void Maximize(int index, bool ideal);

    void Paint();
    void PaintBand(HDC dc, const Band& band) const;

    HWND hwnd_;
    HWND notify_ = nullptr;
    std::vector<Band> bands_;
    std::vector<std::vector<int>> rows_;
    std::vector<RECT> rowRects_;
    int height_ = 0;
    COLORREF background_ = CLR_NONE;
    COLORREF foreground_ = CLR_NONE;
    HIMAGELIST images_ = nullptr;
    HFONT font_ = nullptr;
    bool inLayout_ = false;
};

bool ReBar::Apply(Band& band, const REBARBANDINFOA& info) {
    if (info.cbSize < REBARBANDINFOA_V3_SIZE) {
        return false;
    }
    const UINT mask = info.fMask;
    if ((mask & RBBIM_STYLE) != 0) {
        band.style = info.fStyle;
    }
    if ((mask & RBBIM_COLORS) != 0) {
        band.fore = info.clrFore;
        band.back = info.clrBack;
    }
    if ((mask & RBBIM_TEXT) != 0) {
        band.text = info.lpText != nullptr ? info.lpText : "";
    }
    if ((mask & RBBIM_IMAGE) != 0) {
        band.image = info.iImage;
    }
    if ((mask & RBBIM_CHILD) != 0) {
        if (band.child != nullptr && band.child != info.hwndChild && IsWindow(band.child)) {
            ShowWindow(band.child, SW_HIDE);
        }
        band.child = info.hwndChild;
        // The rebar becomes the parent of its bands' windows.
        if (band.child != nullptr && GetParent(band.child) != hwnd_) {
            SetParent(band.child, hwnd_);
        }
    }
    if ((mask & RBBIM_CHILDSIZE) != 0) {
        band.cxMinChild = info.cxMinChild;
        band.cyMinChild = info.cyMinChild;
        if (info.cbSize > offsetof(REBARBANDINFOA, cyIntegral)) {
            band.cyChild = info.cyChild;
            band.cyMaxChild = info.cyMaxChild;
            band.cyIntegral = info.cyIntegral;
        }
    }
    if ((mask & RBBIM_SIZE) != 0) {
        band.cx = info.cx;
    }
    if ((mask & RBBIM_BACKGROUND) != 0) {
        band.background = info.hbmBack;
    }
    if ((mask & RBBIM_ID) != 0) {
        band.id = info.wID;
    }
    if (info.cbSize > offsetof(REBARBANDINFOA, cxIdeal) && (mask & RBBIM_IDEALSIZE) != 0) {
        band.cxIdeal = info.cxIdeal;
    }
    if (info.cbSize > offsetof(REBARBANDINFOA, lParam) && (mask & RBBIM_LPARAM) != 0) {
        band.param = info.lParam;
    }
    if (info.cbSize > offsetof(REBARBANDINFOA, cxHeader) && (mask & RBBIM_HEADERSIZE) != 0) {
        band.headerSet = static_cast<int>(info.cxHeader);
    }
    return true;
}

void ReBar::Fill(const Band& band, REBARBANDINFOA* info) const {
    const UINT mask = info->fMask;
    if ((mask & RBBIM_STYLE) != 0) {
        info->fStyle = band.style;
    }
    if ((mask & RBBIM_COLORS) != 0) {
        info->clrFore = band.fore;
        info->clrBack = band.back;
    }
    if ((mask & RBBIM_TEXT) != 0 && info->lpText != nullptr && info->cch > 0) {
        const size_t length = CutAtCharBoundary(band.text, info->cch - 1);
        std::copy_n(band.text.data(), length, info->lpText);
        info->lpText[length] = '\0';
    }
    if ((mask & RBBIM_IMAGE) != 0) {
        info->iImage = band.image;
    }
    if ((mask & RBBIM_CHILD) != 0) {
        info->hwndChild = band.child;
    }
    if ((mask & RBBIM_CHILDSIZE) != 0) {
        info->cxMinChild = band.cxMinChild;
        info->cyMinChild = band.cyMinChild;
        if (info->cbSize > offsetof(REBARBANDINFOA, cyIntegral)) {
            info->cyChild = band.cyChild;
            info->cyMaxChild = band.cyMaxChild;
            info->cyIntegral = band.cyIntegral;
        }
    }
    if ((mask & RBBIM_SIZE) != 0) {
        info->cx = band.Visible() ? static_cast<UINT>(band.rect.right - band.rect.left) : band.cx;
    }
    if ((mask & RBBIM_BACKGROUND) != 0) {
        info->hbmBack = band.background;
    }
    if ((mask & RBBIM_ID) != 0) {
        info->wID = band.id;
    }
    if (info->cbSize > offsetof(REBARBANDINFOA, cxIdeal) && (mask & RBBIM_IDEALSIZE) != 0) {
        info->cxIdeal = band.cxIdeal;
    }
    if (info->cbSize > offsetof(REBARBANDINFOA, lParam) && (mask & RBBIM_LPARAM) != 0) {
        info->lParam = band.param;
    }
    if (info->cbSize > offsetof(REBARBANDINFOA, cxHeader) && (mask & RBBIM_HEADERSIZE) != 0) {
        info->cxHeader = static_cast<UINT>(band.header);
    }
}

// Headers, minimum widths and heights of the bands.
void ReBar::Measure() {
    const int visible = static_cast<int>(std::count_if(
        bands_.begin(), bands_.end(), [](const Band& band) { return band.Visible(); }));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Font());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    int imageWidth = 0;
    int imageHeight = 0;
    if (images_ != nullptr) {
        ImageList_GetIconSize(images_, &imageWidth, &imageHeight);
    }
    for (Band& band : bands_) {
        const bool fixed = (band.style & (RBBS_NOGRIPPER | RBBS_FIXEDSIZE)) != 0;
        band.gripper = (band.style & RBBS_GRIPPERALWAYS) != 0 || (!fixed && visible > 1);
        const bool image = band.image >= 0 && images_ != nullptr;
        const bool title = !band.text.empty() && (band.style & RBBS_HIDETITLE) == 0;
        if (band.headerSet >= 0) {
            band.header = band.headerSet;
        } else {
            band.header = kHeaderStart + (band.gripper ? kGripperWidth : 0) +
                          (image ? imageWidth + kImageGap : 0);
            if (title) {
                SIZE size{};
                GetTextExtentPoint32A(dc, band.text.c_str(), static_cast<int>(band.text.size()),
                                      &size);
                band.header += size.cx + kTextGap;
            }
        }
        const int edge = (band.style & RBBS_CHILDEDGE) != 0 ? kChildEdge : 0;
        band.minWidth = band.header + static_cast<int>(band.cxMinChild) + 2 * edge;
        int content = static_cast<int>(band.cyMinChild);
        if (title) {
            content = std::max<int>(content, metrics.tmHeight);
        }
        if (image) {
            content = std::max(content, imageHeight);
        }
        band.height = content + 2 * edge;
    }
    SelectObject(dc, oldFont);
    DeleteDC(dc);
}

// The visible bands row by row: a band with a break starts a new row. Bands never wrap on their
// own; a row that is too narrow squeezes its bands down to their minimum widths.
std::vector<std::vector<int>> ReBar::Rows() const {
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < Count(); ++i) {
        const Band& band = bands_[static_cast<size_t>(i)];
        if (!band.Visible()) {
            continue;
        }
        if (rows.empty() || (band.style & RBBS_BREAK) != 0) {
            rows.emplace_back();
        }
        rows.back().push_back(i);
    }
    return rows;
}

void ReBar::Layout() {
    Measure();
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = client.right;
    rows_ = Rows();
    rowRects_.clear();
    const bool varHeight = (Style() & RBS_VARHEIGHT) != 0;
    int common = 0;
    for (const Band& band : bands_) {
        if (band.Visible()) {
            common = std::max(common, band.height);
        }
    }
    int y = 0;
    for (const std::vector<int>& row : rows_) {
        int height = 0;
        for (int index : row) {
            height = std::max(height, bands_[static_cast<size_t>(index)].height);
        }
        if (!varHeight) {
            height = common;
        }
        // Every band asks for its size (at least its minimum); the row's last band that may
        // change size takes what is left, and bands give up room from the last one backwards.
        std::vector<int> widths;
        for (int index : row) {
            const Band& band = bands_[static_cast<size_t>(index)];
            widths.push_back(std::max(static_cast<int>(band.cx), band.minWidth));
        }
        const int gaps = Gap() * static_cast<int>(row.size() - 1);
        int total = std::accumulate(widths.begin(), widths.end(), 0) + gaps;
        for (size_t k = row.size(); k-- > 0 && total > width;) {
            const int give =
                std::min(total - width, widths[k] - bands_[static_cast<size_t>(row[k])].minWidth);
            widths[k] -= give;
            total -= give;
        }
        for (size_t k = row.size(); k-- > 0 && total < width;) {
            if ((bands_[static_cast<size_t>(row[k])].style & RBBS_FIXEDSIZE) == 0) {
                widths[k] += width - total;
                total = width;
            }
        }
        int x = 0;
        for (size_t k = 0; k < row.size(); ++k) {
            bands_[static_cast<size_t>(row[k])].rect = RECT{x, y, x + widths[k], y + height};
            x += widths[k] + Gap();
        }
        rowRects_.push_back(RECT{0, y, width, y + height});
        y += height + Gap();
    }
    for (Band& band : bands_) {
        if (!band.Visible()) {
            band.rect = RECT{};
        }
    }
    height_ = rows_.empty() ? 0 : y - Gap();
    PlaceChildren();
}

void ReBar::PlaceChildren() {
    for (const Band& band : bands_) {
        if (!band.Visible() || band.child == nullptr || !IsWindow(band.child)) {
            continue;
        }
        const int edge = (band.style & RBBS_CHILDEDGE) != 0 ? kChildEdge : 0;
        const int rowHeight = band.rect.bottom - band.rect.top;
        const int left = band.rect.left + band.header + edge;
        const int width = std::max<int>(0, band.rect.right - edge - left);
        int height = band.cyMinChild > 0 ? static_cast<int>(band.cyMinChild) : rowHeight - 2 * edge;
        if ((band.style & RBBS_VARIABLEHEIGHT) != 0) {
            height = rowHeight - 2 * edge;
        }
        const int top = (band.style & RBBS_TOPALIGN) != 0
                            ? band.rect.top + edge
                            : band.rect.top + (rowHeight - height) / 2;
        SetWindowPos(band.child, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ReBar::ShowChild(const Band& band) const {
    if (band.child != nullptr && IsWindow(band.child)) {
        ShowWindow(band.child, band.Visible() ? SW_SHOW : SW_HIDE);
    }
}

LRESULT ReBar::Notify(NMHDR& header) const {
    header.hwndFrom = hwnd_;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    return SendMessageA(notify_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// The bar spans its parent's width (unless told otherwise) and is as high as its rows.
void ReBar::FitToParent() {
    const DWORD style = Style();
    if ((style & CCS_NORESIZE) != 0) {
        return;
    }
    HWND parent = GetParent(hwnd_);
    RECT area{};
    RECT window{};
    GetWindowRect(hwnd_, &window);
    POINT origin{window.left, window.top};
    if (parent != nullptr) {
        GetClientRect(parent, &area);
        ScreenToClient(parent, &origin);
    }
    int x = origin.x;
    int y = origin.y;
    int width = window.right - window.left;
    if ((style & CCS_NOPARENTALIGN) == 0 && parent != nullptr) {
        x = 0;
        width = area.right;
        if ((style & CCS_NOMOVEY) == 0) {
            y = (style & CCS_BOTTOM) == CCS_BOTTOM ? area.bottom - height_ : 0;
        }
    }
    if (x != origin.x || y != origin.y || width != window.right - window.left ||
        height_ != window.bottom - window.top) {
        SetWindowPos(hwnd_, nullptr, x, y, width, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ReBar::Changed() {
    const int before = height_;
    RECT window{};
    GetWindowRect(hwnd_, &window);
    inLayout_ = true;
    Layout();
    FitToParent();
    // The parent width may have changed the rows; lay out again on the final width.
    Layout();
    if (height_ != before) {
        FitToParent();
    }
    inLayout_ = false;
    InvalidateRect(hwnd_, nullptr, TRUE);
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (now.bottom - now.top != window.bottom - window.top) {
        NMHDR header{};
        header.code = RBN_HEIGHTCHANGE;
        Notify(header);
    }
}

int ReBar::RowOf(int index) const {
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (std::find(rows_[row].begin(), rows_[row].end(), index) != rows_[row].end()) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void ReBar::Maximize(int index, bool ideal) {
    const int row = RowOf(index);
    if (row < 0) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    for (int other : rows_[static_cast<size_t>(row)]) {
        Band& band = bands_[static_cast<size_t>(other)];
        band.cx = static_cast<UINT>(band.minWidth);
    }
    Band& band = bands_[static_cast<size_t>(index)];
    band.cx = ideal && band.cxIdeal > 0 ? band.cxIdeal + static_cast<UINT>(band.header)
                                        : static_cast<UINT>(client.right);
}

void ReBar::PaintBand(HDC dc, const Band& band) const {
    const RECT& rect = band.rect;
    COLORREF back = band.back != CLR_DEFAULT ? band.back : background_;
    if (band.background != nullptr) {
        HBRUSH brush = CreatePatternBrush(band.background);
        // A fixed bitmap stays put when the band moves: it is anchored to the bar, not the band.
        const POINT origin =
            (band.style & RBBS_FIXEDBMP) != 0 ? POINT{0, 0} : POINT{rect.left, rect.top};
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    } else if (back != CLR_NONE) {
        HBRUSH brush = CreateSolidBrush(back);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    int x = rect.left + kHeaderStart;
    if (band.gripper) {
        RECT line{x + 1, rect.top + 2, x + 2, rect.bottom - 2};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        line = RECT{x + 2, rect.top + 2, x + 4, rect.bottom - 2};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
        x += kGripperWidth;
    }
    int imageWidth = 0;
    int imageHeight = 0;
    if (band.image >= 0 && images_ != nullptr &&
        ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        ImageList_Draw(images_, band.image, dc, x,
                       rect.top + (rect.bottom - rect.top - imageHeight) / 2, ILD_TRANSPARENT);
        x += imageWidth + kImageGap;
    }
    if (!band.text.empty() && (band.style & RBBS_HIDETITLE) == 0) {
        COLORREF fore = band.fore != CLR_DEFAULT ? band.fore : foreground_;
        SetTextColor(dc, fore != CLR_NONE ? fore : GetSysColor(COLOR_BTNTEXT));
        SetBkMode(dc, TRANSPARENT);
        RECT text{x, rect.top, rect.left + band.header, rect.bottom};
        DrawTextA(dc, band.text.c_str(), static_cast<int>(band.text.size()), &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void ReBar::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        HGDIOBJ oldFont = SelectObject(dc, Font());
        for (const Band& band : bands_) {
            if (band.Visible()) {
                PaintBand(dc, band);
            }
        }
        if (Gap() > 0) {
            HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
            HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
            for (size_t row = 0; row < rows_.size(); ++row) {
                for (size_t k = 0; k + 1 < rows_[row].size(); ++k) {
                    const RECT& rect = bands_[static_cast<size_t>(rows_[row][k])].rect;
                    RECT line{rect.right, rect.top, rect.right + 1, rect.bottom};
                    FillRect(dc, &line, shadow);
                    line = RECT{rect.right + 1, rect.top, rect.right + 2, rect.bottom};
                    FillRect(dc, &line, light);
                }
                if (row + 1 < rows_.size()) {
                    const RECT& rect = rowRects_[row];
                    RECT line{rect.left, rect.bottom, rect.right, rect.bottom + 1};
                    FillRect(dc, &line, shadow);
                    line = RECT{rect.left, rect.bottom + 1, rect.right, rect.bottom + 2};
                    FillRect(dc, &line, light);
                }
            }
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT ReBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            notify_ = GetParent(hwnd_);
            Changed();
            return 0;
        case WM_SIZE: {
            if (inLayout_) {
                return 0;
            }
            const int before = height_;
            Changed();
            if ((Style() & RBS_AUTOSIZE) != 0) {
                NMRBAUTOSIZE note{};
                note.hdr.code = RBN_AUTOSIZE;
                note.fChanged = height_ != before;
                GetClientRect(hwnd_, &note.rcTarget);
                note.rcActual = RECT{0, 0, note.rcTarget.right, height_};
                Notify(note.hdr);
            }
            return 0;
        }
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (dc != nullptr) {
                RECT client{};
                GetClientRect(hwnd_, &client);
                if (background_ == CLR_NONE) {
                    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
                } else {
                    HBRUSH brush = CreateSolidBrush(background_);
                    FillRect(dc, &client, brush);
                    DeleteObject(brush);
                }
            }
            return TRUE;
        }
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            Changed();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_NOTIFY:
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            // The bands' windows talk to the window that owns the bar.
            return SendMessageA(notify_, message, wParam, lParam);
        case RB_INSERTBANDA: {
            const auto* info = reinterpret_cast<const REBARBANDINFOA*>(lParam);
            Band band;
            if (info == nullptr || !Apply(band, *info)) {
                return FALSE;
            }
            int index = static_cast<int>(static_cast<INT_PTR>(wParam));
            index = index < 0 || index > Count() ? Count() : index;
            bands_.insert(bands_.begin() + index, band);
            ShowChild(band);
            Changed();
            return TRUE;
        }
        case RB_DELETEBAND: {
            const int index = static_cast<int>(wParam);
            if (!Valid(index)) {
                return FALSE;
            }
            bands_.erase(bands_.begin() + index);
            Changed();
            return TRUE;
        }
        case RB_SETBANDINFOA: {
            const int index = static_cast<int>(wParam);
            const auto* info = reinterpret_cast<const REBARBANDINFOA*>(lParam);
            if (!Valid(index) || info == nullptr) {
                return FALSE;
            }
            Band& band = bands_[static_cast<size_t>(index)];
            const bool wasVisible = band.Visible();
            if (!Apply(band, *info)) {
                return FALSE;
            }
            if (wasVisible != band.Visible() || (info->fMask & RBBIM_CHILD) != 0) {
                ShowChild(band);
            }
            Changed();
            return TRUE;
        }
        case RB_GETBANDINFOA: {
            const int index = static_cast<int>(wParam);
            auto* info = reinterpret_cast<REBARBANDINFOA*>(lParam);
            if (!Valid(index) || info == nullptr || info->cbSize < REBARBANDINFOA_V3_SIZE) {
                return FALSE;
            }
            Fill(bands_[static_cast<size_t>(index)], info);
            return TRUE;
        }
        case RB_SETBARINFO: {
            const auto* info = reinterpret_cast<const REBARINFO*>(lParam);
            if (info == nullptr || info->cbSize < sizeof(REBARINFO)) {
                return FALSE;
            }
            if ((info->fMask & RBIM_IMAGELIST) != 0) {
                images_ = info->himl;
                Changed();
            }
            return TRUE;
        }
        case RB_GETBARINFO: {
            auto* info = reinterpret_cast<REBARINFO*>(lParam);
            if (info == nullptr || info->cbSize < sizeof(REBARINFO)) {
                return FALSE;
            }
            if ((info->fMask & RBIM_IMAGELIST) != 0) {
                info->himl = images_;
            }
            return TRUE;
        }
        case RB_SETPARENT: {
            HWND previous = notify_;
            notify_ = reinterpret_cast<HWND>(wParam);
            return reinterpret_cast<LRESULT>(previous);
        }
        case RB_HITTEST: {
            auto* info = reinterpret_cast<RBHITTESTINFO*>(lParam);
            if (info == nullptr) {
                return -1;
            }
            info->flags = RBHT_NOWHERE;
            info->iBand = -1;
            for (int i = 0; i < Count(); ++i) {
                const Band& band = bands_[static_cast<size_t>(i)];
                if (band.Visible() && CRect(band.rect).PtInRect(info->pt)) {
                    info->iBand = i;
                    const int x = info->pt.x - band.rect.left;
                    info->flags = band.gripper && x < kHeaderStart + kGripperWidth ? RBHT_GRABBER
                                  : x < band.header                                ? RBHT_CAPTION
                                                                                   : RBHT_CLIENT;
                    break;
                }
            }
            return info->iBand;
        }
        case RB_GETRECT: {
            const int index = static_cast<int>(wParam);
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!Valid(index) || rect == nullptr) {
                return FALSE;
            }
            *rect = bands_[static_cast<size_t>(index)].rect;
            return bands_[static_cast<size_t>(index)].Visible();
        }
        case RB_GETBANDBORDERS: {
            const int index = static_cast<int>(wParam);
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!Valid(index) || rect == nullptr) {
                return 0;
            }
            const Band& band = bands_[static_cast<size_t>(index)];
            const int edge = (band.style & RBBS_CHILDEDGE) != 0 ? kChildEdge : 0;
            *rect = RECT{band.header + edge, edge, edge, edge};
            return 0;
        }
        case RB_GETBANDCOUNT:
            return Count();
        case RB_GETROWCOUNT:
            return static_cast<LRESULT>(rows_.size());
        case RB_GETROWHEIGHT: {
            const int row = RowOf(static_cast<int>(wParam));
            return row >= 0 ? rowRects_[static_cast<size_t>(row)].bottom -
                                  rowRects_[static_cast<size_t>(row)].top
                            : 0;
        }
        case RB_GETBARHEIGHT:
            return height_;
        case RB_IDTOINDEX:
            for (int i = 0; i < Count(); ++i) {
                if (bands_[static_cast<size_t>(i)].id == static_cast<UINT>(wParam)) {
                    return i;
                }
            }
            return -1;
        case RB_SHOWBAND: {
            const int index = static_cast<int>(wParam);
            if (!Valid(index)) {
                return FALSE;
            }
            Band& band = bands_[static_cast<size_t>(index)];
            const UINT style = lParam != 0 ? band.style & ~RBBS_HIDDEN : band.style | RBBS_HIDDEN;
            if (style != band.style) {
                band.style = style;
                ShowChild(band);
                Changed();
            }
            return TRUE;
        }
        case RB_MAXIMIZEBAND:
            if (Valid(static_cast<int>(wParam))) {
                Maximize(static_cast<int>(wParam), lParam != 0);
                Changed();
            }
            return 0;
        case RB_MINIMIZEBAND:
            if (Valid(static_cast<int>(wParam))) {
                Band& band = bands_[static_cast<size_t>(wParam)];
                band.cx = static_cast<UINT>(band.minWidth);
                Changed();
            }
            return 0;
        case RB_SETBKCOLOR:
        case RB_SETTEXTCOLOR: {
            COLORREF& slot = message == RB_SETBKCOLOR ? background_ : foreground_;
            const COLORREF previous = slot;
            slot = static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return previous;
        }
        case RB_GETBKCOLOR:
            return background_;
        case RB_GETTEXTCOLOR:
            return foreground_;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace

void RegisterReBarClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(REBARCLASSNAMEA, ControlProcedure<ReBar>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace platform
