// A point in a view's parent coordinates.
#pragma once

namespace VSTGUI {

using CCoord = double;

struct CPoint {
  CCoord x = 0;
  CCoord y = 0;

  CPoint() = default;
  CPoint(CCoord px, CCoord py) : x(px), y(py) {}
  CPoint& offset(CCoord dx, CCoord dy) {
    x += dx;
    y += dy;
    return *this;
  }
  bool operator==(const CPoint&) const = default;
};

}  // namespace VSTGUI
