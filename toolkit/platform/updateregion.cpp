#include "updateregion.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {
// A shared area, not just a shared edge.
bool intersects(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

CRect unite(const CRect& a, const CRect& b) {
  return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
               std::max(a.bottom, b.bottom));
}
}  // namespace

void UpdateRegion::add(const CRect& rect) {
  CRect added(std::floor(rect.left), std::floor(rect.top), std::ceil(rect.right), std::ceil(rect.bottom));
  added.bound(bounds);
  if (added.isEmpty()) return;
  for (auto it = rects.begin(); it != rects.end();) {
    if (intersects(*it, added)) {
      added = unite(added, *it);
      rects.erase(it);
      it = rects.begin();  // the grown rect may now reach earlier ones
    } else {
      ++it;
    }
  }
  rects.push_back(added);
  if (rects.size() > kMaxRects) {
    CRect all = rects.front();
    for (const CRect& r : rects) all = unite(all, r);
    rects.assign(1, all);
  }
}

void UpdateRegion::add(const std::vector<CRect>& more) {
  for (const CRect& r : more) add(r);
}

std::vector<CRect> UpdateRegion::take() {
  std::vector<CRect> result;
  result.swap(rects);
  return result;
}

}  // namespace VSTGUI
