// Flicker-free page painting: a page draws its content into an off-screen buffer (BeginDraw), and
// EndDraw copies to the window only the parts that the page's child controls leave uncovered,
// which the controls paint themselves. The page registers its client rectangle and its controls'
// rectangles at each layout (ResetRects, AddRect, SplitRects).
//
// How a page uses it: the skin once from OnInitDialog (LoadSkin); the layout after creation and on
// each WM_SIZE; the paint on WM_PAINT and WM_ERASEBKGND (which then returns 1, so the background is
// never erased separately). Every page starts from a white buffer; the skin's bitmap is held but
// not drawn.
#pragma once

#include <memory>

#include "manager/BackgroundRects.h"
#include "manager/BitmapFile.h"
#include "platform/drawing/DC.h"

class CWnd;

class CPagePainter {
public:
    // The height of the band that holds a page's title.
    static constexpr int kTitleBand = 30;

    virtual ~CPagePainter();

    // The result of CBitmapFile::Load.
    int LoadBackground(const char* fileName);
    // Finds the page's key in the skin file and loads the bitmap its value names: 1 on the first
    // step that fails, else 0. A page without its bitmap lays out and paints all the same.
    int LoadSkin(const char* key);

    int ResetRects();
    // The result of CBackgroundRects::AddRect for (left, top, right - left, bottom - top).
    int AddRect(const RECT& rect);
    // AddRect for `control`'s window rectangle in `page`'s client coordinates.
    int AddWindowRect(CWnd* page, CWnd* control);
    void SplitRects();

    // The memory device context to draw into, filled white, with a transparent text background
    // and the program's UI font; null until the rectangles have been split once.
    CDC* BeginDraw(CDC* windowDC, const RECT& rect);
    // Copies the whole buffer to (0, 0), or only the uncovered rectangles, each to its own place,
    // and releases the buffer.
    void EndDraw(CDC* windowDC, BOOL whole);
    void ReleaseBuffer();

    // "  ::" + name + "::" in red, single line, left aligned and vertically centred in the band
    // across the top of `client`.
    static void DrawTitle(CDC* dc, const RECT& client, const char* name);

    const CBitmapFile& Background() const { return background_; }

private:
    int ready_ = 0;
    CBackgroundRects rects_;
    CBitmapFile background_;
    RECT bufferRect_ = {};
    std::unique_ptr<CDC> memoryDC_;
    std::unique_ptr<CBitmap> buffer_;
};
