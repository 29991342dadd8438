#include "platform/drawing/DC.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct AttachedDcs {
    std::mutex mutex;
    std::unordered_map<HDC, CDC*> wrappers;
};

AttachedDcs& Attached() {
    static AttachedDcs* map = new AttachedDcs;
    return *map;
}

HGDIOBJ HandleOf(const CGdiObject* object) {
    return object != nullptr ? object->m_hObject : nullptr;
}

// The previous object, wrapped as the class of its kind.
CGdiObject* WrapperOf(HGDIOBJ handle) {
    switch (::GetObjectType(handle)) {
        case OBJ_PEN:
            return CPen::FromHandle(static_cast<HPEN>(handle));
        case OBJ_BRUSH:
            return CBrush::FromHandle(static_cast<HBRUSH>(handle));
        case OBJ_FONT:
            return CFont::FromHandle(static_cast<HFONT>(handle));
        case OBJ_BITMAP:
            return CBitmap::FromHandle(static_cast<HBITMAP>(handle));
        default:
            return CGdiObject::FromHandle(handle);
    }
}

}  // namespace

CDC::~CDC() {
    if (m_hDC != nullptr) {
        ::DeleteDC(Detach());
    }
}

BOOL CDC::Attach(HDC hdc) {
    if (hdc == nullptr || m_hDC != nullptr) {
        return FALSE;
    }
    m_hDC = hdc;
    m_hAttribDC = hdc;
    AttachedDcs& map = Attached();
    std::lock_guard lock(map.mutex);
    map.wrappers[hdc] = this;
    return TRUE;
}

HDC CDC::Detach() {
    HDC hdc = m_hDC;
    if (hdc != nullptr) {
        AttachedDcs& map = Attached();
        std::lock_guard lock(map.mutex);
        auto found = map.wrappers.find(hdc);
        if (found != map.wrappers.end() && found->second == this) {
            map.wrappers.erase(found);
        }
    }
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return hdc;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr) {
        return FALSE;
    }
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    return Attach(::CreateCompatibleDC(dc != nullptr ? dc->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* init) {
    return Attach(::CreateDCA(driver, device, output, init));
}

CDC* CDC::FromHandle(HDC hdc) {
    if (hdc == nullptr) {
        return nullptr;
    }
    {
        AttachedDcs& map = Attached();
        std::lock_guard lock(map.mutex);
        auto found = map.wrappers.find(hdc);
        if (found != map.wrappers.end()) {
            return found->second;
        }
    }
    struct Release {
        void operator()(CDC* wrapper) const {
            wrapper->m_hDC = nullptr;
            wrapper->m_hAttribDC = nullptr;
            delete wrapper;
        }
    };
    thread_local std::unordered_map<HDC, std::unique_ptr<CDC, Release>> temporary;
    auto& slot = temporary[hdc];
    if (!slot) {
        slot.reset(new CDC);
        slot->m_hDC = hdc;
        slot->m_hAttribDC = hdc;
    }
    return slot.get();
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT previous{0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &previous);
    return previous;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    POINT previous{0, 0};
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &previous);
    return previous;
}

CPoint CDC::GetViewportOrg() const {
    POINT origin{0, 0};
    ::GetViewportOrgEx(m_hDC, &origin);
    return origin;
}

CPoint CDC::SetBrushOrg(int x, int y) {
    POINT previous{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &previous);
    return previous;
}

CPen* CDC::SelectObject(CPen* pen) {
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, HandleOf(pen))));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, HandleOf(brush))));
}

CFont* CDC::SelectObject(CFont* font) {
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, HandleOf(font))));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, HandleOf(bitmap))));
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    return WrapperOf(::SelectObject(m_hDC, HandleOf(object)));
}

CGdiObject* CDC::SelectStockObject(int index) {
    return WrapperOf(::SelectObject(m_hDC, ::GetStockObject(index)));
}

CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

int CDC::SelectClipRgn(CRgn* region) {
    return ::SelectClipRgn(m_hDC, region != nullptr ? HRGN(*region) : nullptr);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
    RECT rect{x, y, x + width, y + height};
    FillSolidRect(&rect, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
               bottomRight);
}

void CDC::Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight) {
    FillSolidRect(x, y, width - 1, 1, topLeft);
    FillSolidRect(x, y, 1, height - 1, topLeft);
    FillSolidRect(x + width, y, -1, height, bottomRight);
    FillSolidRect(x, y + height, width, -1, bottomRight);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT previous{0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}

CPoint CDC::GetCurrentPosition() const {
    POINT position{0, 0};
    ::GetCurrentPositionEx(m_hDC, &position);
    return position;
}

CSize CDC::GetTextExtent(LPCSTR text, int length) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, length, &size);
    return size;
}
