// The state and behaviour behind one rebar window.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/ReBar.h"
#include "platform/windows/WindowApi.h"

namespace platform {

class ReBarControl {
public:
    explicit ReBarControl(HWND hwnd) : hwnd_(hwnd) {}
    ReBarControl(const ReBarControl&) = delete;
    ReBarControl& operator=(const ReBarControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
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

    static constexpr int kHeaderStart = 2;
    static constexpr int kGripperWidth = 8;
    static constexpr int kImageGap = 2;
    static constexpr int kChildEdge = 2;
    // Room for the etched line between bands and between rows (RBS_BANDBORDERS).
    static constexpr int kBorder = 2;

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    int Count() const { return static_cast<int>(bands_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
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
    LRESULT Notify(NMHDR& header, UINT code) const;
    int RowOf(int index) const;
    void Maximize(int index, bool ideal);

    // Messages.
    void Create();
    void Resized();
    LRESULT InsertBand(int index, const REBARBANDINFOA* info);
    LRESULT DeleteBand(int index);
    LRESULT SetBandInfo(int index, const REBARBANDINFOA* info);
    LRESULT GetBandInfo(int index, REBARBANDINFOA* info) const;
    LRESULT SetBarInfo(const REBARINFO* info);
    LRESULT GetBarInfo(REBARINFO* info) const;
    LRESULT SetNotifyWindow(HWND window);
    LRESULT HitTest(RBHITTESTINFO* info) const;
    LRESULT GetBandRect(int index, RECT* rect) const;
    LRESULT GetBandBorders(int index, RECT* rect) const;
    LRESULT RowHeight(int index) const;
    LRESULT IndexOfId(UINT id) const;
    LRESULT ShowBand(int index, bool show);
    void MaximizeBand(int index, bool ideal);
    void MinimizeBand(int index);
    LRESULT SetColor(COLORREF& slot, COLORREF color);

    // Painting.
    void Paint();
    void PaintBand(HDC dc, const Band& band) const;
    LRESULT EraseBackground(HDC dc) const;

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

}  // namespace platform
