// A rectangle given by its edges (left, top, right, bottom), not by origin and
// size. Inside is half-open: left <= x < right, top <= y < bottom.
#pragma once

#include <algorithm>

#include "cpoint.h"

namespace VSTGUI {

struct CRect {
  CCoord left = 0;
  CCoord top = 0;
  CCoord right = 0;
  CCoord bottom = 0;

  CRect() = default;
  CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}

  CCoord getWidth() const { return right - left; }
  CCoord getHeight() const { return bottom - top; }
  CPoint getTopLeft() const { return {left, top}; }
  CPoint getCenter() const { return {left + getWidth() / 2, top + getHeight() / 2}; }
  bool isEmpty() const { return right <= left || bottom <= top; }

  CRect& offset(CCoord dx, CCoord dy) {
    left += dx, right += dx, top += dy, bottom += dy;
    return *this;
  }
  // Moves each edge inward by dx, dy (outward when negative).
  CRect& inset(CCoord dx, CCoord dy) {
    left += dx, right -= dx, top += dy, bottom -= dy;
    return *this;
  }
  CRect& extend(CCoord dx, CCoord dy) { return inset(-dx, -dy); }
  // Clips this rectangle to `to`; an empty result collapses onto an edge.
  CRect& bound(const CRect& to) {
    left = std::clamp(left, to.left, to.right);
    right = std::clamp(right, left, to.right);
    top = std::clamp(top, to.top, to.bottom);
    bottom = std::clamp(bottom, top, to.bottom);
    return *this;
  }
  bool pointInside(const CPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  // Rectangles that merely touch along an edge count as overlapping.
  bool rectOverlap(const CRect& r) const {
    return r.left <= right && r.right >= left && r.top <= bottom && r.bottom >= top;
  }
  bool operator==(const CRect&) const = default;
};

}  // namespace VSTGUI
