// The framework's brush.
#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/GdiObject.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    explicit CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreateHatchBrush(int hatch, COLORREF color) {
        return Attach(::CreateHatchBrush(hatch, color));
    }
    BOOL CreatePatternBrush(CBitmap* bitmap) {
        return bitmap != nullptr && Attach(::CreatePatternBrush(*bitmap));
    }
    BOOL CreateBrushIndirect(const LOGBRUSH* brush) { return Attach(::CreateBrushIndirect(brush)); }
    int GetLogBrush(LOGBRUSH* brush) const { return GetObject(sizeof(LOGBRUSH), brush); }

    static CBrush* FromHandle(HBRUSH brush) { return WrapperFor<CBrush>(brush); }
};
