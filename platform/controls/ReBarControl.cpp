#include "platform/controls/ReBarControl.h"

#include <algorithm>
#include <numeric>

#include "platform/controls/ControlSupport.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kTextGap = 4;

}  // namespace

bool ReBarControl::Apply(Band& band, const REBARBANDINFOA& info) {
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

void ReBarControl::Fill(const Band& band, REBARBANDINFOA* info) const {
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
void ReBarControl::Measure() {
    const int visible = static_cast<int>(std::count_if(
        bands_.begin(), bands_.end(), [](const Band& band) { return band.Visible(); }));
    const MeasuringDc measuring(font_);
    HDC dc = measuring.get();
    const int lineHeight = LineHeight(dc);
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
                band.header += TextWidth(dc, band.text) + kTextGap;
            }
        }
        const int edge = (band.style & RBBS_CHILDEDGE) != 0 ? kChildEdge : 0;
        band.minWidth = band.header + static_cast<int>(band.cxMinChild) + 2 * edge;
        int content = static_cast<int>(band.cyMinChild);
        if (title) {
            content = std::max(content, lineHeight);
        }
        if (image) {
            content = std::max(content, imageHeight);
        }
        band.height = content + 2 * edge;
    }
}

// The visible bands row by row: a band with a break starts a new row. Bands never wrap on their
// own; a row that is too narrow squeezes its bands down to their minimum widths.
std::vector<std::vector<int>> ReBarControl::Rows() const {
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

void ReBarControl::Layout() {
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

void ReBarControl::PlaceChildren() {
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

void ReBarControl::ShowChild(const Band& band) const {
    if (band.child != nullptr && IsWindow(band.child)) {
        ShowWindow(band.child, band.Visible() ? SW_SHOW : SW_HIDE);
    }
}

// The bar spans its parent's width (unless told otherwise) and is as high as its rows.
void ReBarControl::FitToParent() {
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

void ReBarControl::Changed() {
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
        Notify(header, RBN_HEIGHTCHANGE);
    }
}

int ReBarControl::RowOf(int index) const {
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (std::find(rows_[row].begin(), rows_[row].end(), index) != rows_[row].end()) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void ReBarControl::Maximize(int index, bool ideal) {
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

LRESULT ReBarControl::Notify(NMHDR& header, UINT code) const {
    return SendNotifyTo(notify_, hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)), header, code);
}

}  // namespace platform
