// The framework's rectangle: a RECT with the half-open rules of the system (the right and bottom
// edges lie outside), and the helpers the programs use to lay out and hit-test.
#pragma once

#include <algorithm>

#include "platform/base/WinTypes.h"
#include "platform/drawing/Point.h"
#include "platform/drawing/Size.h"

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rect) : RECT(rect) {}
    CRect(LPCRECT rect) : RECT(rect != nullptr ? *rect : RECT{0, 0, 0, 0}) {}
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    // Empty when it has no area; null when every coordinate is zero.
    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    BOOL EqualRect(LPCRECT rect) const {
        return left == rect->left && top == rect->top && right == rect->right &&
               bottom == rect->bottom;
    }

    void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRect(POINT topLeft, POINT bottomRight) {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT rect) { *static_cast<RECT*>(this) = *rect; }

    void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT rect) {
        InflateRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT rect) {
        DeflateRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int x, int y) {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) {
        right += x - left;
        left = x;
    }
    void MoveToY(int y) {
        bottom += y - top;
        top = y;
    }
    void MoveToXY(int x, int y) {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }

    void NormalizeRect() {
        if (left > right) {
            std::swap(left, right);
        }
        if (top > bottom) {
            std::swap(top, bottom);
        }
    }

    // The common part of two rectangles; an empty result is stored as all zero and gives FALSE.
    BOOL IntersectRect(LPCRECT a, LPCRECT b) {
        CRect result(std::max(a->left, b->left), std::max(a->top, b->top),
                     std::min(a->right, b->right), std::min(a->bottom, b->bottom));
        if (result.IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        *this = result;
        return TRUE;
    }
    // The smallest rectangle holding both; an empty one takes no part.
    BOOL UnionRect(LPCRECT a, LPCRECT b) {
        bool a_empty = CRect(a).IsRectEmpty();
        bool b_empty = CRect(b).IsRectEmpty();
        if (a_empty && b_empty) {
            SetRectEmpty();
            return FALSE;
        }
        if (a_empty || b_empty) {
            CopyRect(a_empty ? b : a);
            return TRUE;
        }
        SetRect(std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom));
        return TRUE;
    }
    // `a` less `b`, when the rest is still a rectangle; otherwise `a` itself.
    BOOL SubtractRect(LPCRECT a, LPCRECT b) {
        CRect result(a);
        CRect cut;
        if (result.IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        if (cut.IntersectRect(a, b)) {
            if (cut.top == result.top && cut.bottom == result.bottom) {
                if (cut.left == result.left) {
                    result.left = cut.right;
                } else if (cut.right == result.right) {
                    result.right = cut.left;
                }
            } else if (cut.left == result.left && cut.right == result.right) {
                if (cut.top == result.top) {
                    result.top = cut.bottom;
                } else if (cut.bottom == result.bottom) {
                    result.bottom = cut.top;
                }
            }
        }
        if (result.IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        *this = result;
        return TRUE;
    }

    friend bool operator==(const CRect& a, const RECT& b) { return a.EqualRect(&b) != FALSE; }
    CRect& operator=(const RECT& rect) {
        CopyRect(&rect);
        return *this;
    }
    CRect& operator+=(POINT point) {
        OffsetRect(point);
        return *this;
    }
    CRect& operator+=(SIZE size) {
        OffsetRect(size);
        return *this;
    }
    CRect& operator+=(LPCRECT rect) {
        InflateRect(rect);
        return *this;
    }
    CRect& operator-=(POINT point) {
        OffsetRect(-point.x, -point.y);
        return *this;
    }
    CRect& operator-=(SIZE size) {
        OffsetRect(-size.cx, -size.cy);
        return *this;
    }
    CRect& operator-=(LPCRECT rect) {
        DeflateRect(rect);
        return *this;
    }
    CRect& operator&=(const RECT& rect) {
        CRect copy(*this);
        IntersectRect(&copy, &rect);
        return *this;
    }
    CRect& operator|=(const RECT& rect) {
        CRect copy(*this);
        UnionRect(&copy, &rect);
        return *this;
    }
    CRect operator+(POINT point) const {
        CRect result(*this);
        result.OffsetRect(point);
        return result;
    }
    CRect operator-(POINT point) const {
        CRect result(*this);
        result.OffsetRect(-point.x, -point.y);
        return result;
    }
    CRect operator+(SIZE size) const {
        CRect result(*this);
        result.OffsetRect(size);
        return result;
    }
    CRect operator-(SIZE size) const {
        CRect result(*this);
        result.OffsetRect(-size.cx, -size.cy);
        return result;
    }
    CRect operator+(LPCRECT rect) const {
        CRect result(*this);
        result.InflateRect(rect);
        return result;
    }
    CRect operator-(LPCRECT rect) const {
        CRect result(*this);
        result.DeflateRect(rect);
        return result;
    }
    CRect operator&(const RECT& rect) const {
        CRect result;
        result.IntersectRect(this, &rect);
        return result;
    }
    CRect operator|(const RECT& rect) const {
        CRect result;
        result.UnionRect(this, &rect);
        return result;
    }
};
