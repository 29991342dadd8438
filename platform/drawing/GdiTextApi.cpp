// Text output and measurement. Text is GBK; each character is drawn with the selected font in the
// text colour, over the background colour when the background mode is OPAQUE.
#include <algorithm>
#include <cstring>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/TextFont.h"
#include "platform/drawing/TextLayout.h"

using namespace platform;

namespace {

constexpr unsigned kPatCopy = 0xF0;

std::shared_ptr<const TextFont> SelectedFont(DeviceContext& dc) {
    FontObject* font = FindFont(dc.state().font);
    if (font == nullptr) {
        font = FindFont(GetStockObject(SYSTEM_FONT));
    }
    return TextFont::For(font->logFont);
}

std::string_view TextOf(LPCSTR text, int length) {
    if (text == nullptr) {
        return {};
    }
    return length < 0 ? std::string_view(text) : std::string_view(text, length);
}

int MeasureRun(const TextFont& font, std::string_view text) {
    int width = 0;
    for (const TextChar& c : SplitGbk(text)) {
        width += font.Advance(c.code);
    }
    return width;
}

TextMeasurer MeasurerFor(const TextFont& font) {
    return TextMeasurer{[&font](std::string_view text) { return MeasureRun(font, text); },
                        font.metrics().tmHeight, font.metrics().tmAveCharWidth * 8};
}

struct RunStyle {
    bool expandTabs = false;
    int tabWidth = 0;
    // Per-byte advances of ExtTextOut; null for the font's own.
    const INT* spacing = nullptr;
};

// Draws one line of text with its cell's top-left at surface point (x, y); returns its width.
int DrawRun(DeviceContext& dc, const Region& clip, const TextFont& font, int x, int y,
            std::string_view text, const RunStyle& style, bool paintBackground) {
    const TEXTMETRICA& metrics = font.metrics();
    Pixel ink = PixelFromColor(dc.state().textColor);
    int start_x = x;
    for (const TextChar& c : SplitGbk(text)) {
        int advance = font.Advance(c.code);
        if (style.spacing != nullptr) {
            advance = 0;
            for (std::size_t i = 0; i < c.length; ++i) {
                advance += style.spacing[c.offset + i];
            }
        }
        if (c.code == '\t' && style.expandTabs && style.tabWidth > 0) {
            int offset = x - start_x;
            advance = (offset / style.tabWidth + 1) * style.tabWidth - offset;
        }
        if (paintBackground) {
            for (int row = y; row < y + metrics.tmHeight; ++row) {
                dc.Span(clip, row, x, x + advance, PixelFromColor(dc.state().bkColor), kPatCopy);
            }
        }
        if (c.code != '\t') {
            const TextFont::Glyph& glyph = font.GlyphFor(c.code);
            int baseline = y + metrics.tmAscent;
            for (int gy = 0; gy < glyph.height; ++gy) {
                for (int gx = 0; gx < glyph.width; ++gx) {
                    if (glyph.ink[static_cast<std::size_t>(gy) * glyph.width + gx]) {
                        dc.Plot(clip, x + glyph.left + gx, baseline + glyph.top + gy, ink, 0,
                                kPatCopy);
                    }
                }
            }
        }
        x += advance;
    }
    int width = x - start_x;
    const LOGFONTA& log = font.logFont();
    for (int line = 0; line < font.LineThickness(); ++line) {
        if (log.lfUnderline) {
            dc.Span(clip, y + font.UnderlineRow() + line, start_x, x, ink, kPatCopy);
        }
        if (log.lfStrikeOut) {
            dc.Span(clip, y + font.StrikeOutRow() + line, start_x, x, ink, kPatCopy);
        }
    }
    return width;
}

}  // namespace

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                 const INT* spacing) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || (text == nullptr && length > 0)) {
        return FALSE;
    }
    std::string_view run = text != nullptr ? std::string_view(text, length) : std::string_view();
    std::shared_ptr<const TextFont> font = SelectedFont(*dc);
    Region clip = dc->ClipInSurface();
    if (rect != nullptr && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
        // The rectangle is taken in either orientation.
        POINT a = dc->ToSurface(rect->left, rect->top);
        POINT b = dc->ToSurface(rect->right, rect->bottom);
        POINT from{std::min(a.x, b.x), std::min(a.y, b.y)};
        POINT to{std::max(a.x, b.x), std::max(a.y, b.y)};
        Region box(RECT{from.x, from.y, to.x, to.y});
        if (options & ETO_OPAQUE) {
            Region fill = clip;
            fill.Intersect(box);
            for (int row = from.y; row < to.y; ++row) {
                dc->Span(fill, row, from.x, to.x, PixelFromColor(dc->state().bkColor), kPatCopy);
            }
        }
        if (options & ETO_CLIPPED) {
            clip.Intersect(box);
        }
    }
    UINT align = dc->state().textAlign;
    if (align & TA_UPDATECP) {
        x = dc->state().position.x;
        y = dc->state().position.y;
    }
    RunStyle style{false, 0, spacing};
    int width = 0;
    if (spacing != nullptr) {
        for (UINT i = 0; i < length; ++i) {
            width += spacing[i];
        }
    } else {
        width = MeasureRun(*font, run);
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) {
        left = x - width / 2;
    } else if (align & TA_RIGHT) {
        left = x - width;
    }
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top = y - font->metrics().tmAscent;
    } else if (align & TA_BOTTOM) {
        top = y - font->metrics().tmHeight;
    }
    POINT at = dc->ToSurface(left, top);
    DrawRun(*dc, clip, *font, at.x, at.y, run, style, dc->state().bkMode == OPAQUE);
    if (align & TA_UPDATECP) {
        bool leftwards = (align & TA_CENTER) == TA_RIGHT;
        dc->state().position.x = leftwards ? x - width : x + width;
    }
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    if (length < 0) {
        return FALSE;
    }
    return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

int DrawTextA(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    std::string_view all = TextOf(text, length);
    std::shared_ptr<const TextFont> font = SelectedFont(*dc);
    TextMeasurer measurer = MeasurerFor(*font);
    int width = rect->right - rect->left;
    std::vector<TextLine> lines = LayoutText(all, format, width, measurer);
    int lineHeight = font->metrics().tmHeight +
                     ((format & DT_EXTERNALLEADING) ? font->metrics().tmExternalLeading : 0);
    int height = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine& line : lines) {
            widest = std::max(widest, line.width);
        }
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        } else if (format & DT_BOTTOM) {
            top = rect->bottom - lineHeight;
        }
    }
    Region clip = dc->ClipInSurface();
    if (!(format & DT_NOCLIP)) {
        POINT from = dc->ToSurface(rect->left, rect->top);
        POINT to = dc->ToSurface(rect->right, rect->bottom);
        clip.Intersect(Region(RECT{from.x, from.y, to.x, to.y}));
    }
    RunStyle style{(format & DT_EXPANDTABS) != 0, measurer.tabWidth, nullptr};
    Pixel ink = PixelFromColor(dc->state().textColor);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TextLine& line = lines[i];
        int left = rect->left;
        if (format & DT_CENTER) {
            left = rect->left + (width - line.width) / 2;
        } else if (format & DT_RIGHT) {
            left = rect->right - line.width;
        }
        POINT at = dc->ToSurface(left, top + static_cast<int>(i) * lineHeight);
        DrawRun(*dc, clip, *font, at.x, at.y, line.text, style, dc->state().bkMode == OPAQUE);
        if (line.underlineOffset >= 0) {
            std::string_view before = std::string_view(line.text).substr(0, line.underlineOffset);
            int from = at.x + LineWidth(before, style.expandTabs, measurer);
            int to = from + MeasureRun(*font, std::string_view(line.text).substr(
                                                  line.underlineOffset, line.underlineLength));
            dc->Span(clip, at.y + font->UnderlineRow(), from, to, ink, kPatCopy);
        }
    }
    if (format & DT_SINGLELINE && (format & (DT_VCENTER | DT_BOTTOM))) {
        return top + lineHeight - rect->top;
    }
    return height;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || size == nullptr || length < 0 || (text == nullptr && length > 0)) {
        return FALSE;
    }
    std::shared_ptr<const TextFont> font = SelectedFont(*dc);
    size->cx = MeasureRun(*font, TextOf(text, length));
    size->cy = font->metrics().tmHeight;
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || metrics == nullptr) {
        return FALSE;
    }
    *metrics = SelectedFont(*dc)->metrics();
    return TRUE;
}

int GetTextFaceA(HDC hdc, int size, LPSTR face) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return 0;
    }
    const char* name = SelectedFont(*dc)->logFont().lfFaceName;
    int length = static_cast<int>(std::strlen(name));
    if (face == nullptr) {
        return length + 1;
    }
    if (size <= 0) {
        return 0;
    }
    int copied = std::min(length, size - 1);
    std::memcpy(face, name, copied);
    face[copied] = '\0';
    return copied;
}

BOOL DrawStateA(HDC hdc, HBRUSH, DRAWSTATEPROC, LPARAM lData, WPARAM wData, int x, int y, int cx,
                int cy, UINT flags) {
    DeviceContext* dc = FindDeviceContext(hdc);
    UINT kind = flags & 0x000F;
    if (dc == nullptr || (kind != DST_TEXT && kind != DST_PREFIXTEXT) || lData == 0) {
        return FALSE;
    }
    const char* text = reinterpret_cast<const char*>(lData);
    int length = wData != 0 ? static_cast<int>(wData) : static_cast<int>(std::strlen(text));
    UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP;
    if (kind == DST_TEXT) {
        format |= DT_NOPREFIX;
    } else if (flags & DSS_HIDEPREFIX) {
        format |= DT_HIDEPREFIX;
    }
    if (cx == 0 || cy == 0) {
        RECT measure{0, 0, 0, 0};
        DrawTextA(hdc, text, length, &measure, format | DT_CALCRECT);
        cx = cx != 0 ? cx : measure.right;
        cy = cy != 0 ? cy : measure.bottom;
    }
    if (!(flags & DSS_DISABLED)) {
        RECT rect{x, y, x + cx, y + cy};
        DrawTextA(hdc, text, length, &rect, format);
        return TRUE;
    }
    DcState saved = dc->state();
    dc->state().bkMode = TRANSPARENT;
    dc->state().textColor = RGB(255, 255, 255);
    RECT highlight{x + 1, y + 1, x + 1 + cx, y + 1 + cy};
    DrawTextA(hdc, text, length, &highlight, format);
    dc->state().textColor = RGB(128, 128, 128);
    RECT shadow{x, y, x + cx, y + cy};
    DrawTextA(hdc, text, length, &shadow, format);
    dc->state().bkMode = saved.bkMode;
    dc->state().textColor = saved.textColor;
    return TRUE;
}
