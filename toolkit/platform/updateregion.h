// The part of a window waiting to be painted or shown (every back-end keeps one): whole-pixel rects in
// window coordinates, overlapping ones merged into their union.
#pragma once

#include <vector>

#include "crect.h"

namespace VSTGUI {

class UpdateRegion {
 public:
  // Past this many separate rects the region becomes their bounding box.
  static constexpr std::size_t kMaxRects = 16;

  explicit UpdateRegion(const CRect& area) : bounds(area) {}

  // Grows `rect` to whole pixels and clips it to the bounds.
  void add(const CRect& rect);
  void add(const std::vector<CRect>& more);
  void addAll() { add(bounds); }
  bool empty() const { return rects.empty(); }
  const std::vector<CRect>& get() const { return rects; }
  std::vector<CRect> take();

 private:
  CRect bounds;
  std::vector<CRect> rects;
};

}  // namespace VSTGUI
